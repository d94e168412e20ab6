#pragma once

// What the window needs from the platform it runs on, where Linux and Windows differ.
// One file per platform implements these; CMake picks it.
namespace dorvek::host::platform {

// Before the application exists: settings Qt reads only while it starts.
void prepareForApplication();

// Once the application exists, for the window and for tests that build it: the
// character set, the stand-in faces and the widget style the window is drawn with.
void adaptApplication();

} // namespace dorvek::host::platform
