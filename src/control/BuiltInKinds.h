// The behaviour classes of the editor kinds, entered in the class-name table when the module
// loads, so that a row of any kind finds its class by name.
#pragma once

void RegisterBuiltInKinds();
