#pragma once

#include "app/CommandLine.h"

#include <string>

namespace quillory {

// Checks, before any window is made, that Qt has the platform the command
// line (-platform NAME) or the environment (QT_QPA_PLATFORM) asks for: Qt
// itself ends the program with an abort when it has not. A request may list
// several names separated by ';' (Qt tries each) and give options after ':'
// ("offscreen:fontengine=freetype"); one known name is enough. The platforms
// are the plugins in the "platforms" folder of Qt's plugin folders, of
// QT_PLUGIN_PATH and of QT_QPA_PLATFORM_PLUGIN_PATH or -platformpluginpath.
// With no request, or where no plugin can be found to compare with (a static
// build), there is nothing to check.
//
// False, with a one-line message in `error`, such as
//   no platform 'nonexist'; Qt here has eglfs, minimal, offscreen, xcb
bool CheckPlatform(const ProgramCommand& command, std::string& error);

} // namespace quillory
