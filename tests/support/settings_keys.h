#pragma once
// The nine keys of section "Vexlo" of the settings file, in the order the
// launcher reads and writes them.

namespace vexlo::test {

inline constexpr const wchar_t* kSettingsKeys[] = {
    L"ZIZU_MODE",     L"IgnoreCursor",   L"SwitchTVTestByOnair", L"TVTestPowerON", L"TVTestPath",
    L"TVTestOptions", L"BFDialogExpand", L"BFDialogWidth",       L"BFDialogHeight"};

}  // namespace vexlo::test
