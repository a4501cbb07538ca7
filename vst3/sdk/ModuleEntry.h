#pragma once

// Hooks the module entry points call when a host enters the module and before a host leaves
// it; defined by the plug-in. The exit hook may refuse (false), which makes ModuleExit
// report false.
bool InitModule();
bool DeinitModule();
