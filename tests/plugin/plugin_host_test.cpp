// The plugin as a TVTest host sees it, through the four exports and the two
// callbacks, against a fake host and fake Windows services.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "plugin/button_table.h"
#include "plugin/plugin_library.h"
#include "plugin/vexlo2_plugin.h"
#include "tests/plugin/fake_host.h"
#include "tests/plugin/fake_plugin_platform.h"
#include "tests/support/natural_controller_record.h"

using namespace TVTest;
using vexlo2::test::FakeHost;
using vexlo2::test::Platform;
namespace records = vexlo::test::host;

namespace {

constexpr std::uint32_t kRemoteId = 0xC0DE;

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Platform() = {};
    Platform().nextMessageId = kRemoteId;
    ASSERT_TRUE(vexlo2::OnProcessAttach());
  }
  void TearDown() override { vexlo2::OnProcessDetach(); }

  void Initialize() {
    ASSERT_EQ(TVTInitialize(host.Param()), 1) << host.refusal;
    ASSERT_NE(host.eventCallback, nullptr);
    host.Clear();
  }
  HostLParam Event(std::uint32_t event, HostLParam lParam1) {
    return host.eventCallback(event, lParam1, 0, host.eventClientData);
  }
  HostBool Deliver(std::uint32_t message, HostWParam wParam, HostLParam* result = nullptr) {
    return host.windowMessageCallback(0x5678, message, wParam, 0, result,
                                      host.windowMessageClientData);
  }

  FakeHost host;
};

using Numbers = std::vector<std::uint32_t>;

TEST_F(PluginTest, ReportsInterfaceVersionAndInformationBeforeInitialisation) {
  EXPECT_EQ(TVTGetVersion(), 11u);
  // Exactly the host's size, filled with 99s: a record larger than the
  // host's is written past the end, and a field left alone still says 99.
  std::vector<std::uint8_t> bytes(records::kHostLayout.pluginInfo.size, 99);
  ASSERT_EQ(TVTGetPluginInfo(reinterpret_cast<PluginInfo*>(bytes.data())), 1);
  const records::PluginInformation info = records::ReadPluginInfo(bytes.data());
  EXPECT_EQ(info.type, 0u);
  EXPECT_EQ(info.flags, 0u);
  EXPECT_EQ(info.name, L"Vexlo2");
  EXPECT_EQ(info.description, L"GV-RCKIT3(Vexlo2)でTVTestを操作します。");
  ASSERT_TRUE(info.copyright.has_value());
  EXPECT_FALSE(info.copyright->empty());
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(PluginTest, InitialiseRegistersTheControllerThenAsksForEvents) {
  ASSERT_EQ(TVTInitialize(host.Param()), 1) << host.refusal;
  ASSERT_EQ(host.Numbers(), (Numbers{68, 3}));
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
}

TEST_F(PluginTest, RegisteredButtonsCarryNamesDefaultsAndPlaces) {
  ASSERT_EQ(TVTInitialize(host.Param()), 1) << host.refusal;
  const auto& buttons = host.controllers.at(0).buttons;
  ASSERT_EQ(buttons.size(), 50u);

  EXPECT_EQ(buttons[0].name, L"電源");
  EXPECT_EQ(buttons[0].defaultCommand, L"Close");
  EXPECT_EQ(buttons[13].name, L"チャンネル1");
  EXPECT_EQ(buttons[13].defaultCommand, L"Channel1");
  EXPECT_EQ(buttons[31].name, L"オンエア");
  EXPECT_FALSE(buttons[31].hasDefault);
  EXPECT_EQ(buttons[46].name, L"録画");
  EXPECT_EQ(buttons[46].defaultCommand, L"RecordStart");
  EXPECT_EQ(buttons[49].name, L"スキップ");
  EXPECT_EQ(buttons[49].defaultCommand, L"ChannelMenu");

  const records::ImageRect enter = buttons[29].rect;
  EXPECT_EQ(buttons[29].name, L"決定");
  EXPECT_EQ((std::vector<int>{enter.Left, enter.Top, enter.Width, enter.Height}),
            (std::vector<int>{26, 160, 28, 28}));
  EXPECT_EQ(buttons[29].sel.Left, 68);
  EXPECT_EQ(buttons[29].sel.Top, 0);

  int defaults = 0;
  std::set<std::wstring> names;
  for (const auto& b : buttons) {
    defaults += b.hasDefault;
    names.insert(b.name);
    EXPECT_EQ(b.reserved, 0u) << b.name.size();
    // Every button must be found in both pictures.
    EXPECT_LE(b.rect.Left + b.rect.Width, 80);
    EXPECT_LE(b.rect.Top + b.rect.Height, 304);
    EXPECT_LE(b.sel.Left + b.rect.Width, 120);
    EXPECT_LE(b.sel.Top + b.rect.Height, 38);
  }
  EXPECT_EQ(defaults, 28);
  EXPECT_EQ(names.size(), 50u);
}

TEST_F(PluginTest, ARefusedRegistrationIsLoggedAndFailsInitialisation) {
  host.RefuseControllers();
  EXPECT_EQ(TVTInitialize(host.Param()), 0);
  ASSERT_EQ(host.Numbers(), (Numbers{68, 54}));
  EXPECT_EQ(host.sent[1].text, L"コントローラを登録できません。");
  EXPECT_EQ(host.sent[1].lParam2, 0);
  EXPECT_EQ(host.eventCallback, nullptr);
}

TEST_F(PluginTest, InitialiseWithoutAHostRecordSendsNothing) {
  EXPECT_EQ(TVTInitialize(nullptr), 0);
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(PluginTest, EnablingRegistersTheRemoteMessageAndInstallsTheCallback) {
  Initialize();
  EXPECT_EQ(Event(kEventPluginEnable, 1), 1);
  EXPECT_EQ(Platform().registeredNames, (std::vector<std::wstring>{L"Vexlo2 GV-RCKIT3"}));
  EXPECT_EQ(vexlo2::RemoteMessageId(), kRemoteId);
  ASSERT_EQ(host.Numbers(), (Numbers{67}));
  EXPECT_EQ(host.windowMessageCallback, &Vexlo2::WindowMessageCallback);
  EXPECT_EQ(host.windowMessageClientData, vexlo2::CurrentPlugin());
  EXPECT_TRUE(vexlo2::CurrentPlugin()->messageRegistered);
}

TEST_F(PluginTest, OtherEventsAreAnsweredWithZero) {
  Initialize();
  EXPECT_EQ(Event(1, 1), 0);
  EXPECT_EQ(Event(25, 0), 0);
  EXPECT_TRUE(host.sent.empty());
  EXPECT_TRUE(Platform().registeredNames.empty());
}

TEST_F(PluginTest, RemoteMessagePressesTheButtonOfItsCode) {
  Initialize();
  ASSERT_EQ(Event(kEventPluginEnable, 1), 1);
  host.Clear();

  HostLParam result = 77;
  EXPECT_EQ(Deliver(kRemoteId, 0x0021, &result), 1);
  ASSERT_EQ(host.Numbers(), (Numbers{69}));
  EXPECT_EQ(host.sent[0].text, L"GV-RCKIT3");
  EXPECT_EQ(host.sent[0].lParam2, 31);
  EXPECT_EQ(result, 77);  // the host's result is left alone

  // Only the low 16 bits of wParam count.
  host.Clear();
  EXPECT_EQ(Deliver(kRemoteId, 0x7FFF0001), 1);
  ASSERT_EQ(host.Numbers(), (Numbers{69}));
  EXPECT_EQ(host.sent[0].lParam2, 0);

  host.Clear();
  EXPECT_EQ(Deliver(kRemoteId, 0x0033), 1);
  ASSERT_EQ(host.Numbers(), (Numbers{69}));
  EXPECT_EQ(host.sent[0].lParam2, 49);
}

TEST_F(PluginTest, UnknownCodesAreConsumedWithoutEffect) {
  Initialize();
  ASSERT_EQ(Event(kEventPluginEnable, 1), 1);
  host.Clear();
  EXPECT_EQ(Deliver(kRemoteId, 0x0101), 1);  // not 0x01: the whole low word counts
  EXPECT_EQ(Deliver(kRemoteId, 0x0002), 1);
  EXPECT_EQ(Deliver(kRemoteId, 0x0000), 1);
  EXPECT_EQ(Deliver(kRemoteId, 0x0034), 1);
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(PluginTest, OtherWindowMessagesAreLeftToTheHost) {
  Initialize();
  ASSERT_EQ(Event(kEventPluginEnable, 1), 1);
  host.Clear();
  EXPECT_EQ(Deliver(kRemoteId + 1, 0x0021), 0);
  EXPECT_EQ(Deliver(0x0100, 0x0021), 0);
  EXPECT_EQ(Deliver(0, 0x0021), 0);
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(PluginTest, DisablingRemovesTheCallbackAndEnablingReinstallsIt) {
  Initialize();
  ASSERT_EQ(Event(kEventPluginEnable, 1), 1);
  host.Clear();

  EXPECT_EQ(Event(kEventPluginEnable, 0), 1);
  ASSERT_EQ(host.Numbers(), (Numbers{67}));
  EXPECT_EQ(host.sent[0].lParam1, 0);
  EXPECT_EQ(host.sent[0].lParam2, 0);
  EXPECT_EQ(host.windowMessageCallback, nullptr);

  host.Clear();
  EXPECT_EQ(Event(kEventPluginEnable, 1), 1);
  ASSERT_EQ(host.Numbers(), (Numbers{67}));
  EXPECT_EQ(host.windowMessageCallback, &Vexlo2::WindowMessageCallback);
  EXPECT_EQ(Platform().registeredNames.size(), 1u);  // the name is registered once
}

TEST_F(PluginTest, AFailedNameRegistrationWarnsRefusesAndIsRetried) {
  Initialize();
  host.SetMainWindow(0xABCD);
  Platform().nextMessageId = 0;

  EXPECT_EQ(Event(kEventPluginEnable, 1), 0);
  ASSERT_EQ(Platform().warnings.size(), 1u);
  EXPECT_EQ(Platform().warnings[0].owner, 0xABCDu);
  EXPECT_EQ(Platform().warnings[0].text, L"初期化でエラーが発生しました。");
  EXPECT_TRUE(host.sent.empty());
  EXPECT_FALSE(vexlo2::CurrentPlugin()->messageRegistered);

  Platform().nextMessageId = kRemoteId;
  EXPECT_EQ(Event(kEventPluginEnable, 1), 1);
  EXPECT_EQ(Platform().registeredNames.size(), 2u);
  EXPECT_EQ(Platform().warnings.size(), 1u);
  EXPECT_EQ(host.Numbers(), (Numbers{67}));
}

TEST_F(PluginTest, FinaliseDeletesTheObjectOnceAndSendsNothing) {
  Initialize();
  ASSERT_EQ(Event(kEventPluginEnable, 1), 1);
  host.Clear();
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

TEST(ButtonTable, CodesRunFrom1And3To51InIndexOrder) {
  EXPECT_EQ(vexlo2::kButtonTable[0].code, 0x01);
  for (int i = 1; i < vexlo2::kButtonCount; ++i) EXPECT_EQ(vexlo2::kButtonTable[i].code, i + 2) << i;
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

// Properties of the table rather than its rows: a rectangle moved over its
// neighbour or a command moved to another button breaks one of them, while
// the bitmaps, drawn from the same table, would show nothing wrong.
struct Interval {
  int begin, end;
  bool contains(const Interval& other) const { return begin <= other.begin && other.end <= end; }
  bool holds(int point) const { return begin <= point && point < end; }
  bool meets(const Interval& other) const { return begin < other.end && other.begin < end; }
  int middle() const { return (begin + end) / 2; }
};

// A row's image rectangle, copied out of the packed descriptor.
struct Area {
  Interval x, y;
};

Area ImageArea(int index) {
  const ImageRect r = vexlo2::kButtonTable[index].descriptor.ImageButtonRect;
  const int left = r.Left, top = r.Top, width = r.Width, height = r.Height;
  return {{left, left + width}, {top, top + height}};
}

TEST(ButtonTable, ImageRectanglesMeetAtMostCornerToCorner) {
  // The cursor pad's arrows cross at their corners; any other overlap is a
  // button lying over another.
  for (int i = 0; i < vexlo2::kButtonCount; ++i) {
    const Area a = ImageArea(i);
    EXPECT_LT(a.x.begin, a.x.end) << i;
    EXPECT_LT(a.y.begin, a.y.end) << i;
    for (int j = i + 1; j < vexlo2::kButtonCount; ++j) {
      const Area b = ImageArea(j);
      if (!a.x.meets(b.x) || !a.y.meets(b.y)) continue;
      EXPECT_FALSE(a.x.contains(b.x) || b.x.contains(a.x) || a.y.contains(b.y) || b.y.contains(a.y))
          << "button " << j << " lies across button " << i;
      EXPECT_FALSE(b.x.holds(a.x.middle()) && b.y.holds(a.y.middle()))
          << "button " << j << " covers the middle of button " << i;
      EXPECT_FALSE(a.x.holds(b.x.middle()) && a.y.holds(b.y.middle()))
          << "button " << i << " covers the middle of button " << j;
    }
  }
}

TEST(ButtonTable, NoTwoButtonsShareADefaultCommand) {
  std::set<std::wstring> commands;
  for (const vexlo2::ButtonEntry& row : vexlo2::kButtonTable) {
    const wchar_t* command = row.descriptor.pszDefaultCommand;
    if (!command) continue;
    EXPECT_TRUE(commands.insert(command).second) << "twice: " << command;
  }
}

TEST(ButtonTable, UpAndDownButtonsCarryTheCommandsOfTheirOwnDirection) {
  const std::wstring subjects[][2] = {{L"音量", L"Volume"}, {L"チャンネル", L"Channel"}};
  const std::wstring directions[][2] = {{L"UP", L"Up"}, {L"DOWN", L"Down"}};
  auto endsWith = [](const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  };
  for (const auto& subject : subjects) {
    for (const auto& direction : directions) {
      const std::wstring name = subject[0] + direction[0];
      const vexlo2::ButtonEntry* row = nullptr;
      for (const vexlo2::ButtonEntry& r : vexlo2::kButtonTable)
        if (name == r.descriptor.pszName) row = &r;
      ASSERT_NE(row, nullptr) << "no button " << name;
      const wchar_t* defaultCommand = row->descriptor.pszDefaultCommand;
      ASSERT_NE(defaultCommand, nullptr) << name;
      const std::wstring command = defaultCommand;
      EXPECT_EQ(command.rfind(subject[1], 0), 0u) << name << " has " << command;
      EXPECT_TRUE(endsWith(command, direction[1])) << name << " has " << command;
    }
  }
}

// The reader the test hosts share must refuse a record the host would
// refuse, before it reads past the size field.
TEST(HostRecords, ANaturallyAlignedControllerRecordIsRefusedOnItsSizeAlone) {
  const auto size = static_cast<std::uint32_t>(sizeof(vexlo::test::NaturalControllerRecord));
  ASSERT_NE(size, records::kHostLayout.controller.size);
  // Only the size field is there: any read past it trips the sanitizer.
  std::vector<std::uint8_t> sizeOnly(sizeof size);
  std::memcpy(sizeOnly.data(), &size, sizeof size);
  const std::string reason = "size " + std::to_string(size) + " is not the host's " +
                             std::to_string(records::kHostLayout.controller.size);
  EXPECT_EQ(records::ControllerSizeRefusal(sizeOnly.data()), reason);
  const records::ControllerReading reading = records::ReadController(sizeOnly.data());
  EXPECT_EQ(reading.refusal, reason);
  EXPECT_TRUE(reading.controller.buttons.empty());

  // A 32-bit host takes its 48 bytes and nothing else.
  const std::uint32_t sizes[] = {76, 48};
  std::memcpy(sizeOnly.data(), &sizes[0], sizeof sizes[0]);
  EXPECT_EQ(records::ControllerSizeRefusal(sizeOnly.data(), records::kI686), "size 76 is not the host's 48");
  std::memcpy(sizeOnly.data(), &sizes[1], sizeof sizes[1]);
  EXPECT_EQ(records::ControllerSizeRefusal(sizeOnly.data(), records::kI686), "");
  EXPECT_EQ(records::ControllerSizeRefusal(nullptr), "no record");
}

}  // namespace
