// Members of the command-bar objects that Word, Excel and PowerPoint share: the "Lines" bar
// whose freehand control draws the measuring scribble, and the presenter's own bar.
#pragma once
#include <windows.h>
#include <oleauto.h>

namespace CommandBars {
constexpr DISPID kItem = 0;
constexpr DISPID kCount = 0x60030003;
constexpr DISPID kAdd = 0x60030002;
constexpr DISPID kBarControls = 0x60040003;
constexpr DISPID kBarName = 0x6004000E;
constexpr DISPID kBarVisible = 0x6004001E;
constexpr DISPID kControlsItem = 0;
constexpr DISPID kControlsAdd = 0x60030000;
constexpr DISPID kControlExecute = 0x6004000C;
constexpr DISPID kControlCaption = 0x60040003;
constexpr DISPID kControlEnabled = 0x6004000A;
constexpr DISPID kControlOnAction = 0x6004001A;
constexpr DISPID kControlTag = 0x60040023;
constexpr DISPID kControlTooltip = 0x60040025;
constexpr DISPID kControlVisible = 0x60040029;
constexpr DISPID kButtonFaceId = 0x60050003;
constexpr DISPID kButtonStyle = 0x6005000A;
} // namespace CommandBars
