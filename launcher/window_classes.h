#pragma once
// The window classes and titles the launcher recognises. Compared exactly and
// case-sensitively against names read into 100-character buffers.

namespace vexlo {

inline constexpr wchar_t kViewerWindowClass[] = L"TVTest Window";
inline constexpr wchar_t kTvh264WindowClass[] = L"TVH264 Window";
// Other TV software; while it is in front the launcher stands aside.
inline constexpr wchar_t kMagicTvWindowClass[] = L"mAgicTVWindow";
inline constexpr wchar_t kChannelDisplayClass[] = L"TVTest Channel Display";
inline constexpr wchar_t kFullscreenWindowClass[] = L"TVTest Fullscreen";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kOpenDialogTitle[] = L"ファイルを開く";
inline constexpr wchar_t kYetAnotherFileOpenClass[] = L"YetAnotherFileOpen";

}  // namespace vexlo
