#include "TrivialCtrl.h"

#include "TrivialControl_h.h"

const ControlClassInfo g_trivialCtrlInfo = {
    &CLSID_Trivial, "KV.Trivial.1", "Trivial control", &LIBID_TrivialControlLib, 1, 0, &DIID__DTrivial,
    &DIID__DTrivialEvents,
    OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE
        | OLEMISC_SETCLIENTSITEFIRST,
    0,
};

CTrivialCtrl::CTrivialCtrl() : COleControl(g_trivialCtrlInfo)
{
}
