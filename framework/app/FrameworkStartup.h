#pragma once

// The framework's own part of a program's start-up: registering its classes and setting up its
// plug-in entry table.
namespace fw {

// Registers the framework's own classes (windows, controls, menus, the application), in a fixed
// order; a class registered before stays as it is.
void RuntimeRegisterFrameworkClasses();

// `_RuntimeInitExternalClasses`: registers the classes that the framework offers to programs
// beyond its own core; in this framework they are its own classes, so this registers those.
void RuntimeInitExternalClasses();

// `_InitPluginEntrypoints`: sets up the plug-in entry table with no entries; the framework loads
// no plug-ins.
void InitPluginEntrypoints();
// The number of entries in the plug-in table.
int PluginEntrypointCount();

}  // namespace fw
