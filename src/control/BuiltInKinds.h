// The behaviour classes of the editor kinds that this module makes rows with, entered in the
// class-name table as the module loads.
#pragma once

void RegisterBuiltInKinds();
