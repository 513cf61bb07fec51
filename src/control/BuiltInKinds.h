// The row kinds this module is built with. They are entered in the class-name table from one
// explicit list when the module loads: a kind that registered itself from its own object file
// would be dropped with that file by the linker, as nothing else refers to it.
#pragma once

// Enters every built-in kind under its class name, over whatever was there.
void RegisterBuiltInKinds();
