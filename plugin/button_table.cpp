// Rows in ascending code order. The bitmap generator reads this
// table too (plugin/resources/draw_bitmaps.py draws each button at its image
// rectangle), so keep one row per line in this exact form.
#include "plugin/button_table.h"

namespace vexlo2 {

const ButtonEntry kButtonTable[kButtonCount] = {
    {{L"電源", L"Close", {6, 20, 14, 14}, {34, 24}, 0}, 0x01},
    {{L"テレビ", nullptr, {6, 39, 14, 6}, {0, 31}, 0}, 0x03},
    {{L"番組再生", nullptr, {24, 39, 14, 6}, {0, 31}, 0}, 0x04},
    {{L"ライブラリ", nullptr, {42, 39, 14, 6}, {0, 31}, 0}, 0x05},
    {{L"番組表", L"ProgramGuide", {60, 39, 14, 6}, {0, 31}, 0}, 0x06},
    {{L"データ連動", nullptr, {6, 50, 14, 6}, {0, 0}, 0}, 0x07},
    {{L"画面サイズ", L"AspectRatio", {24, 50, 14, 6}, {0, 0}, 0}, 0x08},
    {{L"音声切替", L"SwitchAudio", {42, 50, 14, 6}, {0, 0}, 0}, 0x09},
    {{L"消音", L"Mute", {60, 50, 14, 6}, {0, 0}, 0}, 0x0A},
    {{L"青", nullptr, {6, 61, 14, 6}, {0, 6}, 0}, 0x0B},
    {{L"赤", nullptr, {24, 61, 14, 6}, {0, 12}, 0}, 0x0C},
    {{L"緑", nullptr, {42, 61, 14, 6}, {0, 18}, 0}, 0x0D},
    {{L"黄", nullptr, {60, 61, 14, 6}, {0, 24}, 0}, 0x0E},
    {{L"チャンネル1", L"Channel1", {6, 72, 20, 12}, {48, 24}, 0}, 0x0F},
    {{L"チャンネル2", L"Channel2", {30, 72, 20, 12}, {48, 24}, 0}, 0x10},
    {{L"チャンネル3", L"Channel3", {54, 72, 20, 12}, {48, 24}, 0}, 0x11},
    {{L"チャンネル4", L"Channel4", {6, 89, 20, 12}, {48, 24}, 0}, 0x12},
    {{L"チャンネル5", L"Channel5", {30, 89, 20, 12}, {48, 24}, 0}, 0x13},
    {{L"チャンネル6", L"Channel6", {54, 89, 20, 12}, {48, 24}, 0}, 0x14},
    {{L"チャンネル7", L"Channel7", {6, 106, 20, 12}, {48, 24}, 0}, 0x15},
    {{L"チャンネル8", L"Channel8", {30, 106, 20, 12}, {48, 24}, 0}, 0x16},
    {{L"チャンネル9", L"Channel9", {54, 106, 20, 12}, {48, 24}, 0}, 0x17},
    {{L"チャンネル10", L"Channel10", {6, 123, 20, 12}, {48, 24}, 0}, 0x18},
    {{L"チャンネル11", L"Channel11", {30, 123, 20, 12}, {48, 24}, 0}, 0x19},
    {{L"チャンネル12", L"Channel12", {54, 123, 20, 12}, {48, 24}, 0}, 0x1A},
    {{L"日付選択", nullptr, {6, 140, 11, 11}, {14, 22}, 0}, 0x1B},
    {{L"UP", nullptr, {23, 148, 34, 12}, {34, 0}, 0}, 0x1C},
    {{L"表示モード切替", L"Fullscreen", {63, 140, 11, 11}, {14, 22}, 0}, 0x1D},
    {{L"LEFT", nullptr, {14, 157, 12, 34}, {96, 0}, 0}, 0x1E},
    {{L"決定", nullptr, {26, 160, 28, 28}, {68, 0}, 0}, 0x1F},
    {{L"RIGHT", nullptr, {54, 157, 12, 34}, {96, 0}, 0}, 0x20},
    {{L"オンエア", nullptr, {6, 197, 11, 11}, {14, 22}, 0}, 0x21},
    {{L"DOWN", nullptr, {23, 188, 34, 12}, {34, 0}, 0}, 0x22},
    {{L"キャンセル/戻る", nullptr, {63, 197, 11, 11}, {14, 22}, 0}, 0x23},
    {{L"音量UP", L"VolumeUp", {6, 213, 20, 16}, {14, 0}, 0}, 0x24},
    {{L"メニュー", L"Menu", {30, 220, 20, 6}, {14, 16}, 0}, 0x25},
    {{L"チャンネルUP", L"ChannelUp", {54, 213, 20, 16}, {14, 0}, 0}, 0x26},
    {{L"音量DOWN", L"VolumeDown", {6, 232, 20, 16}, {14, 0}, 0}, 0x27},
    {{L"再生", nullptr, {30, 242, 20, 6}, {14, 16}, 0}, 0x28},
    {{L"チャンネルDOWN", L"ChannelDown", {54, 232, 20, 16}, {14, 0}, 0}, 0x29},
    {{L"巻戻し", nullptr, {6, 253, 20, 6}, {14, 16}, 0}, 0x2A},
    {{L"一時停止", L"RecordPause", {30, 253, 20, 6}, {14, 16}, 0}, 0x2B},
    {{L"早送り", nullptr, {54, 253, 20, 6}, {14, 16}, 0}, 0x2C},
    {{L"前/戻す", nullptr, {6, 264, 20, 6}, {14, 16}, 0}, 0x2D},
    {{L"停止", L"RecordStop", {30, 264, 20, 6}, {14, 16}, 0}, 0x2E},
    {{L"次/送る", nullptr, {54, 264, 20, 6}, {14, 16}, 0}, 0x2F},
    // "RecordStart" is the command TVTest knows for starting a recording.
    {{L"録画", L"RecordStart", {6, 275, 11, 11}, {14, 22}, 0}, 0x30},
    {{L"字幕", nullptr, {25, 275, 11, 11}, {14, 22}, 0}, 0x31},
    {{L"双方向", L"ChannelDisplayMenu", {44, 275, 11, 11}, {14, 22}, 0}, 0x32},
    {{L"スキップ", L"ChannelMenu", {63, 275, 11, 11}, {14, 22}, 0}, 0x33},
};

int FindButtonIndex(std::uint16_t code) {
  for (int i = 0; i < kButtonCount; ++i) {
    if (static_cast<std::uint16_t>(kButtonTable[i].code) == code) return i;
  }
  return -1;
}

}  // namespace vexlo2
