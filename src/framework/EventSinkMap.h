// Event sink maps: a window object that hosts ActiveX children declares which child events
// (by the child's control id and the event's dispid) it handles. Handlers have the form
// void OnX(DISPPARAMS* pParams); arguments arrive in reverse order, as IDispatch::Invoke has them.
#pragma once
#include <oaidl.h>

class CEventSinkTarget;

using EventHandler = void (CEventSinkTarget::*)(DISPPARAMS*);

struct EventSinkEntry {
    UINT nID;
    DISPID dispid;
    EventHandler handler;
};

struct EventSinkMap {
    const EventSinkMap* (*base)();
    const EventSinkEntry* entries; // ends with a null handler
};

class CEventSinkTarget {
public:
    virtual ~CEventSinkTarget() = default;
    // Routes an event of the child with control id nID; TRUE when a handler took it.
    virtual BOOL OnChildEvent(UINT nID, DISPID dispid, DISPPARAMS* pParams);

    // The i-th argument as the caller wrote it (0 = first), converted; 0 / empty when missing.
    static long ArgLong(const DISPPARAMS* pParams, UINT i);

protected:
    static const EventSinkMap* GetThisEventSinkMap();
    virtual const EventSinkMap* GetEventSinkMap() const { return GetThisEventSinkMap(); }
};

#define DECLARE_EVENTSINK_MAP()                                         \
public:                                                                 \
    static const EventSinkMap* GetThisEventSinkMap();                   \
protected:                                                              \
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                        \
    const EventSinkMap* theClass::GetThisEventSinkMap()                 \
    {                                                                   \
        using ThisSinkClass = theClass;                                 \
        static const EventSinkEntry entries[] = {

#define ON_EVENT(nID, dispid, fn) \
    { nID, dispid, static_cast<EventHandler>(&ThisSinkClass::fn) },

#define END_EVENTSINK_MAP(baseClass)                                    \
            { 0, 0, nullptr }                                           \
        };                                                              \
        static const EventSinkMap map = { &baseClass::GetThisEventSinkMap, entries }; \
        return &map;                                                    \
    }
