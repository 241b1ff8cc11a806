// The plugin as a TVTest host sees it, through the four exports and the two
// callbacks, against a fake host and fake Windows services.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "plugin/button_table.h"
#include "plugin/plugin_library.h"
#include "plugin/plugin_platform.h"
#include "plugin/vexlo2_plugin.h"
#include "tests/support/plugin_host.h"

using namespace TVTest;
using vexlo::test::PluginHost;
namespace records = vexlo::test;

namespace {

using Warning = std::pair<HostWindow, std::wstring>;  // the window that owns a warning, and its text
using Allowed = std::pair<HostWindow, std::uint32_t>;  // a window, and a message let through its integrity filter

constexpr std::uint32_t kRemoteId = 0xC0DE;

// The plugin's Windows services, recorded instead of performed (the seam's definitions close this file).
struct FakePlatform {
  std::uint32_t nextMessageId = kRemoteId;  // 0 makes registration fail
  std::vector<std::wstring> registeredNames;
  std::vector<Warning> warnings;
  std::vector<Allowed> allowed;
};

FakePlatform fakePlatform;

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fakePlatform = {};
    ASSERT_TRUE(vexlo2::OnProcessAttach());
  }
  void TearDown() override { vexlo2::OnProcessDetach(); }

  void Initialize() {
    ASSERT_EQ(TVTInitialize(host.param()), 1) << host.refusal;
    ASSERT_NE(host.eventCallback, nullptr);
    host.clear();
  }
  void InitializeAndEnable() {
    Initialize();
    ASSERT_EQ(Event(kEventPluginEnable, 1), 1);
    host.clear();
  }
  HostLParam Event(std::uint32_t event, HostLParam lParam1) {
    return host.eventCallback(event, lParam1, 0, host.eventClientData);
  }
  HostBool Deliver(std::uint32_t message, HostWParam wParam, HostLParam* result = nullptr) {
    return host.windowMessageCallback(0x5678, message, wParam, 0, result,
                                      host.windowMessageClientData);
  }

  PluginHost host;
};

using Numbers = std::vector<std::uint32_t>;

TEST_F(PluginTest, ReportsInterfaceVersionAndInformationBeforeInitialisation) {
  EXPECT_EQ(TVTGetVersion(), 11u);
  // Exactly the host's size, filled with 99s: a record larger than the
  // host's is written past the end, and a field left alone still says 99.
  std::vector<std::uint8_t> bytes(records::kHostLayout.pluginInfo.size, 99);
  ASSERT_EQ(TVTGetPluginInfo(reinterpret_cast<PluginInfo*>(bytes.data())), 1);
  const records::PluginInformation info = records::readPluginInfo(bytes.data());
  EXPECT_EQ(info.type, 0u);
  EXPECT_EQ(info.flags, 0u);
  EXPECT_EQ(info.name, L"Vexlo2");
  EXPECT_EQ(info.description, L"GV-RCKIT3(Vexlo2)でTVTestを操作します。");
  ASSERT_TRUE(info.copyright.has_value());
  EXPECT_FALSE(info.copyright->empty());
  EXPECT_TRUE(host.sent.empty());
}

// The remote's 50 buttons as the host must list them, in index order.
struct RemoteButton {
  int index;
  std::uint8_t code;
  const wchar_t* name;
  const wchar_t* defaultCommand;  // "": none, a null pointer (not an empty text)
  std::array<int, 4> rect;        // left, top, width, height in the remote's picture
  std::array<int, 2> selection;   // left, top in the picture of highlights
};

const RemoteButton kRemote[] = {
    {0, 0x01, L"電源", L"Close", {6, 20, 14, 14}, {34, 24}},
    {1, 0x03, L"テレビ", L"", {6, 39, 14, 6}, {0, 31}},
    {2, 0x04, L"番組再生", L"", {24, 39, 14, 6}, {0, 31}},
    {3, 0x05, L"ライブラリ", L"", {42, 39, 14, 6}, {0, 31}},
    {4, 0x06, L"番組表", L"ProgramGuide", {60, 39, 14, 6}, {0, 31}},
    {5, 0x07, L"データ連動", L"", {6, 50, 14, 6}, {0, 0}},
    {6, 0x08, L"画面サイズ", L"AspectRatio", {24, 50, 14, 6}, {0, 0}},
    {7, 0x09, L"音声切替", L"SwitchAudio", {42, 50, 14, 6}, {0, 0}},
    {8, 0x0A, L"消音", L"Mute", {60, 50, 14, 6}, {0, 0}},
    {9, 0x0B, L"青", L"", {6, 61, 14, 6}, {0, 6}},
    {10, 0x0C, L"赤", L"", {24, 61, 14, 6}, {0, 12}},
    {11, 0x0D, L"緑", L"", {42, 61, 14, 6}, {0, 18}},
    {12, 0x0E, L"黄", L"", {60, 61, 14, 6}, {0, 24}},
    {13, 0x0F, L"チャンネル1", L"Channel1", {6, 72, 20, 12}, {48, 24}},
    {14, 0x10, L"チャンネル2", L"Channel2", {30, 72, 20, 12}, {48, 24}},
    {15, 0x11, L"チャンネル3", L"Channel3", {54, 72, 20, 12}, {48, 24}},
    {16, 0x12, L"チャンネル4", L"Channel4", {6, 89, 20, 12}, {48, 24}},
    {17, 0x13, L"チャンネル5", L"Channel5", {30, 89, 20, 12}, {48, 24}},
    {18, 0x14, L"チャンネル6", L"Channel6", {54, 89, 20, 12}, {48, 24}},
    {19, 0x15, L"チャンネル7", L"Channel7", {6, 106, 20, 12}, {48, 24}},
    {20, 0x16, L"チャンネル8", L"Channel8", {30, 106, 20, 12}, {48, 24}},
    {21, 0x17, L"チャンネル9", L"Channel9", {54, 106, 20, 12}, {48, 24}},
    {22, 0x18, L"チャンネル10", L"Channel10", {6, 123, 20, 12}, {48, 24}},
    {23, 0x19, L"チャンネル11", L"Channel11", {30, 123, 20, 12}, {48, 24}},
    {24, 0x1A, L"チャンネル12", L"Channel12", {54, 123, 20, 12}, {48, 24}},
    {25, 0x1B, L"日付選択", L"", {6, 140, 11, 11}, {14, 22}},
    {26, 0x1C, L"UP", L"", {23, 148, 34, 12}, {34, 0}},
    {27, 0x1D, L"表示モード切替", L"Fullscreen", {63, 140, 11, 11}, {14, 22}},
    {28, 0x1E, L"LEFT", L"", {14, 157, 12, 34}, {96, 0}},
    {29, 0x1F, L"決定", L"", {26, 160, 28, 28}, {68, 0}},
    {30, 0x20, L"RIGHT", L"", {54, 157, 12, 34}, {96, 0}},
    {31, 0x21, L"オンエア", L"", {6, 197, 11, 11}, {14, 22}},
    {32, 0x22, L"DOWN", L"", {23, 188, 34, 12}, {34, 0}},
    {33, 0x23, L"キャンセル/戻る", L"", {63, 197, 11, 11}, {14, 22}},
    {34, 0x24, L"音量UP", L"VolumeUp", {6, 213, 20, 16}, {14, 0}},
    {35, 0x25, L"メニュー", L"Menu", {30, 220, 20, 6}, {14, 16}},
    {36, 0x26, L"チャンネルUP", L"ChannelUp", {54, 213, 20, 16}, {14, 0}},
    {37, 0x27, L"音量DOWN", L"VolumeDown", {6, 232, 20, 16}, {14, 0}},
    {38, 0x28, L"再生", L"", {30, 242, 20, 6}, {14, 16}},
    {39, 0x29, L"チャンネルDOWN", L"ChannelDown", {54, 232, 20, 16}, {14, 0}},
    {40, 0x2A, L"巻戻し", L"", {6, 253, 20, 6}, {14, 16}},
    {41, 0x2B, L"一時停止", L"RecordPause", {30, 253, 20, 6}, {14, 16}},
    {42, 0x2C, L"早送り", L"", {54, 253, 20, 6}, {14, 16}},
    {43, 0x2D, L"前/戻す", L"", {6, 264, 20, 6}, {14, 16}},
    {44, 0x2E, L"停止", L"RecordStop", {30, 264, 20, 6}, {14, 16}},
    {45, 0x2F, L"次/送る", L"", {54, 264, 20, 6}, {14, 16}},
    {46, 0x30, L"録画", L"RecordStart", {6, 275, 11, 11}, {14, 22}},
    {47, 0x31, L"字幕", L"", {25, 275, 11, 11}, {14, 22}},
    {48, 0x32, L"双方向", L"ChannelDisplayMenu", {44, 275, 11, 11}, {14, 22}},
    {49, 0x33, L"スキップ", L"ChannelMenu", {63, 275, 11, 11}, {14, 22}},
};

TEST_F(PluginTest, InitialiseRegistersTheControllerAndTheRemotesButtonsThenAsksForEvents) {
  ASSERT_EQ(TVTInitialize(host.param()), 1) << host.refusal;
  ASSERT_EQ(host.numbers(), (Numbers{68, 3}));
  EXPECT_EQ(host.sent[0].lParam2, 0);
  EXPECT_EQ(host.eventCallback, &Vexlo2::EventCallback);
  EXPECT_EQ(host.eventClientData, vexlo2::CurrentPlugin());

  ASSERT_EQ(host.controllers.size(), 1u);
  const auto& c = host.controllers[0];
  EXPECT_EQ(c.size, records::kHostLayout.controller.size);
  EXPECT_EQ(c.flags, 0u);
  EXPECT_EQ(c.name, L"GV-RCKIT3");
  EXPECT_EQ(c.text, L"GV-RCKIT3(Vexlo2)");
  EXPECT_EQ(c.buttonCount, 50);
  EXPECT_EQ(c.iniFileName, 0u);
  EXPECT_EQ(c.section, L"Vexlo2");
  EXPECT_EQ(c.controllerBitmapId, 20u);
  EXPECT_EQ(c.selectionBitmapId, 21u);
  EXPECT_EQ(c.translateCallback, 0u);
  EXPECT_EQ(c.clientData, reinterpret_cast<std::uintptr_t>(vexlo2::CurrentPlugin()));

  ASSERT_EQ(c.buttons.size(), std::size(kRemote));
  for (std::size_t i = 0; i < c.buttons.size(); ++i) {
    const RemoteButton& expected = kRemote[i];
    const records::CopiedButton& b = c.buttons[i];
    SCOPED_TRACE(testing::Message() << "index " << i);
    ASSERT_EQ(expected.index, static_cast<int>(i)) << "the expected rows are out of order";
    EXPECT_EQ(vexlo2::kButtonTable[i].code, expected.code);
    EXPECT_EQ(vexlo2::FindButtonIndex(expected.code), expected.index);
    EXPECT_EQ(b.name, expected.name);
    EXPECT_EQ(b.hasDefault, *expected.defaultCommand != L'\0');
    EXPECT_EQ(b.defaultCommand, expected.defaultCommand);
    EXPECT_EQ((std::array<int, 4>{b.rect.Left, b.rect.Top, b.rect.Width, b.rect.Height}), expected.rect);
    EXPECT_EQ((std::array<int, 2>{b.sel.Left, b.sel.Top}), expected.selection);
    EXPECT_EQ(b.reserved, 0u);
    // Every button must be found in both pictures, 80 x 304 and 120 x 38.
    EXPECT_LE(b.rect.Left + b.rect.Width, 80);
    EXPECT_LE(b.rect.Top + b.rect.Height, 304);
    EXPECT_LE(b.sel.Left + b.rect.Width, 120);
    EXPECT_LE(b.sel.Top + b.rect.Height, 38);
  }
}

TEST_F(PluginTest, InitialisationFailsSilentlyWithoutAHostRecordAndLoggedOnARefusedRegistration) {
  EXPECT_EQ(TVTInitialize(nullptr), 0);
  EXPECT_TRUE(host.sent.empty());

  host.refuseControllers();
  EXPECT_EQ(TVTInitialize(host.param()), 0);
  ASSERT_EQ(host.numbers(), (Numbers{68, 54}));
  EXPECT_EQ(host.sent[1].text, L"コントローラを登録できません。");
  EXPECT_EQ(host.sent[1].lParam2, 0);
  EXPECT_EQ(host.eventCallback, nullptr);
}

TEST_F(PluginTest, EnablingLetsTheRemoteMessageThroughAndInstallsTheCallbackDisablingRemovesIt) {
  Initialize();
  host.setMainWindow(0xABCD);
  EXPECT_EQ(Event(kEventPluginEnable, 1), 1);
  EXPECT_EQ(fakePlatform.registeredNames, (std::vector<std::wstring>{L"Vexlo2 GV-RCKIT3"}));
  EXPECT_EQ(vexlo2::RemoteMessageId(), kRemoteId);
  // Through the viewer main window's integrity filter, the remote message only.
  EXPECT_EQ(fakePlatform.allowed, (std::vector<Allowed>{{0xABCD, kRemoteId}}));
  ASSERT_EQ(host.numbers(), (Numbers{67}));
  EXPECT_EQ(host.windowMessageCallback, &Vexlo2::WindowMessageCallback);
  EXPECT_EQ(host.windowMessageClientData, vexlo2::CurrentPlugin());
  EXPECT_TRUE(vexlo2::CurrentPlugin()->messageRegistered);

  host.clear();
  EXPECT_EQ(Event(kEventPluginEnable, 0), 1);
  ASSERT_EQ(host.numbers(), (Numbers{67}));
  EXPECT_EQ(host.sent[0].lParam1, 0);
  EXPECT_EQ(host.sent[0].lParam2, 0);
  EXPECT_EQ(host.windowMessageCallback, nullptr);

  host.clear();
  EXPECT_EQ(Event(kEventPluginEnable, 1), 1);
  ASSERT_EQ(host.numbers(), (Numbers{67}));
  EXPECT_EQ(host.windowMessageCallback, &Vexlo2::WindowMessageCallback);
  EXPECT_EQ(fakePlatform.registeredNames.size(), 1u);  // the name is registered once
}

TEST_F(PluginTest, OtherEventsAreAnsweredWithZero) {
  Initialize();
  EXPECT_EQ(Event(1, 1), 0);
  EXPECT_EQ(Event(25, 0), 0);
  EXPECT_TRUE(host.sent.empty());
  EXPECT_TRUE(fakePlatform.registeredNames.empty());
}

TEST_F(PluginTest, RemoteMessagePressesTheButtonOfItsCode) {
  InitializeAndEnable();
  // The code and the index of its button; of 0x7FFF0001 only the low 16 bits count.
  const std::pair<HostWParam, HostLParam> presses[] = {{0x0021, 31}, {0x7FFF0001, 0}, {0x0033, 49}};
  for (const auto& [code, index] : presses) {
    SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << code);
    host.clear();
    HostLParam result = 77;
    EXPECT_EQ(Deliver(kRemoteId, code, &result), 1);
    ASSERT_EQ(host.numbers(), (Numbers{69}));
    EXPECT_EQ(host.sent[0].text, L"GV-RCKIT3");
    EXPECT_EQ(host.sent[0].lParam2, index);
    EXPECT_EQ(result, 77);  // the host's result is left alone
  }
}

// Unknown codes are consumed, other window messages left to the host; neither presses a button.
TEST_F(PluginTest, UnknownCodesAndOtherWindowMessagesHaveNoEffect) {
  InitializeAndEnable();
  EXPECT_EQ(Deliver(kRemoteId, 0x0101), 1);  // not 0x01: the whole low word counts
  EXPECT_EQ(Deliver(kRemoteId, 0x0002), 1);
  EXPECT_EQ(Deliver(kRemoteId, 0x0000), 1);
  EXPECT_EQ(Deliver(kRemoteId, 0x0034), 1);
  EXPECT_EQ(Deliver(kRemoteId + 1, 0x0021), 0);
  EXPECT_EQ(Deliver(0x0100, 0x0021), 0);
  EXPECT_EQ(Deliver(0, 0x0021), 0);
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(PluginTest, AFailedNameRegistrationWarnsRefusesAndIsRetried) {
  Initialize();
  host.setMainWindow(0xABCD);
  fakePlatform.nextMessageId = 0;

  EXPECT_EQ(Event(kEventPluginEnable, 1), 0);
  EXPECT_EQ(fakePlatform.warnings, (std::vector<Warning>{{0xABCD, L"初期化でエラーが発生しました。"}}));
  EXPECT_TRUE(host.sent.empty());
  EXPECT_TRUE(fakePlatform.allowed.empty());
  EXPECT_FALSE(vexlo2::CurrentPlugin()->messageRegistered);

  fakePlatform.nextMessageId = kRemoteId;
  EXPECT_EQ(Event(kEventPluginEnable, 1), 1);
  EXPECT_EQ(fakePlatform.registeredNames.size(), 2u);
  EXPECT_EQ(fakePlatform.warnings.size(), 1u);
  EXPECT_EQ(host.numbers(), (Numbers{67}));
}

TEST_F(PluginTest, FinaliseDeletesTheObjectOnceAndSendsNothing) {
  InitializeAndEnable();
  EXPECT_EQ(TVTFinalize(), 1);
  EXPECT_EQ(vexlo2::CurrentPlugin(), nullptr);
  EXPECT_TRUE(host.sent.empty());
  // Unloading afterwards finds no object (a second delete would trip the sanitizer).
  vexlo2::OnProcessDetach();
  EXPECT_EQ(vexlo2::CurrentPlugin(), nullptr);
  // A host calling on after TVTFinalize gets nothing rather than a crash.
  EXPECT_EQ(TVTGetVersion(), 0u);
  EXPECT_EQ(TVTFinalize(), 0);
}

TEST_F(PluginTest, FinaliseWithoutInitialiseStillSucceeds) {
  EXPECT_EQ(TVTFinalize(), 1);
  EXPECT_EQ(vexlo2::CurrentPlugin(), nullptr);
}

TEST(ButtonTable, EverySixteenBitCodeFindsItsRowOrNone) {
  int found = 0;
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    const int index = vexlo2::FindButtonIndex(static_cast<std::uint16_t>(code));
    if (index < 0) continue;
    ++found;
    EXPECT_EQ(vexlo2::kButtonTable[index].code, code);
  }
  EXPECT_EQ(found, 50);
  EXPECT_EQ(vexlo2::FindButtonIndex(0x02), -1);
  EXPECT_EQ(vexlo2::FindButtonIndex(0x0101), -1);
}

// The reader the test hosts share must refuse a record the host would
// refuse, before it reads past the size field: here the controller record
// as natural alignment lays it out on x86_64, with pointer-sized bitmap ids,
// which the plugin once handed a 64-bit host.
TEST(HostRecords, ANaturallyAlignedControllerRecordIsRefusedOnItsSizeAlone) {
  const std::uint32_t size = 88;
  ASSERT_NE(size, records::kHostLayout.controller.size);
  // Only the size field is there: any read past it trips the sanitizer.
  std::vector<std::uint8_t> sizeOnly(sizeof size);
  const auto refusalOfSize = [&](std::uint32_t value, const records::Layout& layout) {
    std::memcpy(sizeOnly.data(), &value, sizeof value);
    return records::controllerSizeRefusal(sizeOnly.data(), layout);
  };
  const std::string reason = "size " + std::to_string(size) + " is not the host's " +
                             std::to_string(records::kHostLayout.controller.size);
  EXPECT_EQ(refusalOfSize(size, records::kHostLayout), reason);
  const records::ControllerReading reading = records::readController(sizeOnly.data());
  EXPECT_EQ(reading.refusal, reason);
  EXPECT_TRUE(reading.controller.buttons.empty());

  // A 32-bit host takes its 48 bytes and nothing else.
  EXPECT_EQ(refusalOfSize(76, records::kI686), "size 76 is not the host's 48");
  EXPECT_EQ(refusalOfSize(48, records::kI686), "");
  EXPECT_EQ(records::controllerSizeRefusal(nullptr), "no record");
}

}  // namespace

namespace vexlo2::platform {

std::uint32_t RegisterMessageName(const wchar_t* name) {
  fakePlatform.registeredNames.push_back(name);
  return fakePlatform.nextMessageId;
}

void ShowWarning(TVTest::HostWindow owner, const wchar_t* text) { fakePlatform.warnings.push_back({owner, text}); }

void AllowMessageFromLowerRights(TVTest::HostWindow window, std::uint32_t message) {
  fakePlatform.allowed.push_back({window, message});
}

}  // namespace vexlo2::platform
