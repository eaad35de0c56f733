#include "game/core/data_file_scrambler.h"

#include <algorithm>

namespace game {
namespace {

// The scrambler's own linear congruential generator; nothing else draws from it, so a file
// descrambles the same whatever else the program did before.
class ScramblerRandom {
  public:
    explicit ScramblerRandom(std::uint32_t seed) : state_(seed) {}
    int Draw() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

  private:
    std::uint32_t state_;
};

std::uint8_t SumOf(std::span<const std::uint8_t> data, std::size_t start, std::size_t end) {
    std::uint8_t sum = 0;
    for (std::size_t i = start; i < end; ++i)
        sum = static_cast<std::uint8_t>(sum + data[i]);
    return sum;
}

constexpr std::array<std::size_t, 3> kPassStrides{1, 2, 5};

}  // namespace

bool DescrambleDataFile(std::span<std::uint8_t> data, std::size_t start, std::size_t end,
                        std::span<const std::uint8_t> seeds, CheckMode checkMode,
                        CheckBytes& checks) {
    end = std::min(end, data.size());
    if (!seeds.empty() && std::all_of(seeds.begin(), seeds.end(), [](auto s) { return s == 0; }))
        return true;
    if (checkMode == CheckMode::kStore)
        checks[0] = SumOf(data, start, end);
    for (std::size_t pass = 0; pass < seeds.size() && pass < kPassStrides.size(); ++pass) {
        ScramblerRandom random(seeds[pass]);
        for (std::size_t i = start; i < end; i += kPassStrides[pass])
            data[i] ^= static_cast<std::uint8_t>(random.Draw() >> 12);
    }
    return checkMode != CheckMode::kVerify || SumOf(data, start, end) == checks[0];
}

ScrambleSeeds ReadFrameSeeds(std::span<const std::uint8_t> file, const DataFileFrame& frame) {
    ScrambleSeeds seeds{};
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const auto position = static_cast<std::size_t>(frame.seedPositions[i]);
        seeds[i] = position < file.size() ? file[position] : 0;
    }
    return seeds;
}

CheckBytes ReadFrameChecks(std::span<const std::uint8_t> file, const DataFileFrame& frame) {
    CheckBytes checks{};
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const auto position = static_cast<std::size_t>(frame.checkPositions[i]);
        checks[i] = position < file.size() ? file[position] : 0;
    }
    return checks;
}

bool HasSeeds(const ScrambleSeeds& seeds) {
    return seeds[0] != 0 || seeds[1] != 0 || seeds[2] != 0;
}

ScrambleHeader ChooseScrambleHeader(std::uint32_t timeSeconds, int headerLength) {
    ScramblerRandom random(timeSeconds);
    ScrambleHeader header{};
    auto draw_seeds = [&] {
        for (auto& seed : header.seeds)
            seed = static_cast<std::uint8_t>((random.Draw() >> 4) & 0xFF);
    };
    draw_seeds();
    if (!HasSeeds(header.seeds))
        draw_seeds();
    header.filler.resize(static_cast<std::size_t>(std::max(headerLength, 0)));
    for (auto& byte : header.filler)
        byte = static_cast<std::uint8_t>((random.Draw() >> 8) & 0xFF);
    return header;
}

void SealDataFile(std::vector<std::uint8_t>& file, const DataFileFrame& frame,
                  const ScrambleSeeds& seeds, std::span<const std::uint8_t> filler) {
    const auto header_length = static_cast<std::size_t>(frame.headerLength);
    if (file.size() < header_length)
        file.resize(header_length);
    CheckBytes checks{};
    DescrambleDataFile(file, header_length, file.size(), seeds, CheckMode::kStore, checks);
    for (std::size_t i = 0; i < header_length; ++i)
        file[i] = i < filler.size() ? filler[i] : 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        file[static_cast<std::size_t>(frame.seedPositions[i])] = seeds[i];
        file[static_cast<std::size_t>(frame.checkPositions[i])] = checks[i];
    }
}

}  // namespace game
