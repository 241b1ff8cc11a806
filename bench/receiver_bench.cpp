// Cost of decoding one WM_INPUT packet: a receiver report that goes through
// the filter, and a packet of another device that is turned away.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "launcher/receiver.h"
#include "tests/receiver/packet_builder.h"

namespace {

using namespace vexlo;

void BM_DecodeReceiverReport(benchmark::State& state) {
  // Press and release in turn, so every decode reaches the filter and the
  // filter takes a different branch each time.
  const std::vector<std::uint8_t> press = test::hidPacket({0x0F});
  const std::vector<std::uint8_t> release = test::hidPacket({0x00});
  const DeviceIdentity receiver = test::receiverIdentity();
  ReceiverFilter filter;
  bool down = false;
  for (auto _ : state) {
    const std::vector<std::uint8_t>& packet = down ? release : press;
    benchmark::DoNotOptimize(decodeRemotePacket(filter, packet.data(), packet.size(), receiver));
    down = !down;
  }
  benchmark::DoNotOptimize(filter);
}
BENCHMARK(BM_DecodeReceiverReport);

void BM_DecodeSeveralReports(benchmark::State& state) {
  const std::vector<std::uint8_t> packet = test::hidPacket({0x1C, 0x1C, 0x1C, 0x1C, 0x1C, 0x1C, 0x1C, 0x1C}, 64);
  const DeviceIdentity receiver = test::receiverIdentity();
  ReceiverFilter filter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decodeRemotePacket(filter, packet.data(), packet.size(), receiver));
  }
}
BENCHMARK(BM_DecodeSeveralReports);

void BM_DecodeForeignPacket(benchmark::State& state) {
  const std::vector<std::uint8_t> packet = test::hidPacket({0xE9});
  const DeviceIdentity other{true, kRawInputTypeHid, 0x046D, 0xC52B};
  ReceiverFilter filter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decodeRemotePacket(filter, packet.data(), packet.size(), other));
  }
}
BENCHMARK(BM_DecodeForeignPacket);

}  // namespace

BENCHMARK_MAIN();
