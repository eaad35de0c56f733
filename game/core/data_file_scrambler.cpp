#include "game/core/data_file_scrambler.h"

#include <algorithm>

namespace game {
namespace {

// The scrambler's own linear congruential generator; nothing else draws from it, so a file
// descrambles the same whatever else the program did before.
constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;

class ScramblerRandom {
  public:
    explicit ScramblerRandom(std::uint32_t seed) : state_(seed) {}
    int Draw() {
        state_ = state_ * kMultiplier + kIncrement;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    std::uint32_t State() const { return state_; }

  private:
    std::uint32_t state_;
};

// One pass: every visited byte takes (draw >> 12), the three top bits of the draw. Four
// consecutive generator states step four draws at a time, giving the same sequence without
// waiting on each multiply.
void XorPass(std::span<std::uint8_t> data, std::size_t start, std::size_t end, std::size_t stride,
             std::uint32_t seed) {
    constexpr std::uint32_t kMultiplier2 = kMultiplier * kMultiplier;
    constexpr std::uint32_t kIncrement2 = kMultiplier * kIncrement + kIncrement;
    constexpr std::uint32_t kMultiplier4 = kMultiplier2 * kMultiplier2;
    constexpr std::uint32_t kIncrement4 = kMultiplier2 * kIncrement2 + kIncrement2;
    std::array<std::uint32_t, 4> lanes{};
    std::uint32_t state = seed;
    for (auto& lane : lanes) {
        state = state * kMultiplier + kIncrement;
        lane = state;
    }
    auto key = [](std::uint32_t lane) { return static_cast<std::uint8_t>((lane >> 28) & 7); };
    std::size_t i = start;
    for (; i < end && end - i > 3 * stride; i += 4 * stride) {
        for (std::size_t lane = 0; lane < 4; ++lane) {
            data[i + lane * stride] ^= key(lanes[lane]);
            lanes[lane] = lanes[lane] * kMultiplier4 + kIncrement4;
        }
    }
    for (std::size_t lane = 0; i < end; i += stride, ++lane)
        data[i] ^= key(lanes[lane]);
}

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
    for (std::size_t pass = 0; pass < seeds.size() && pass < kPassStrides.size(); ++pass)
        XorPass(data, start, end, kPassStrides[pass], seeds[pass]);
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

ScrambleHeader ChooseScrambleHeader(std::uint32_t timeSeconds) {
    ScramblerRandom random(timeSeconds);
    ScrambleHeader header{};
    auto draw_seeds = [&] {
        for (auto& seed : header.seeds)
            seed = static_cast<std::uint8_t>((random.Draw() >> 4) & 0xFF);
    };
    draw_seeds();
    if (!HasSeeds(header.seeds))
        draw_seeds();
    header.generatorState = random.State();
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

void SealDataFile(std::vector<std::uint8_t>& file, const DataFileFrame& frame,
                  const ScrambleHeader& header) {
    const auto header_length = static_cast<std::size_t>(frame.headerLength);
    const std::size_t body_length = std::max(file.size(), header_length) - header_length;
    // The last pass leaves the generator seeded with seed 3 and advanced once per byte it
    // visited; the filler draws go on from there.
    ScramblerRandom random(header.generatorState);
    if (HasSeeds(header.seeds)) {
        random = ScramblerRandom(header.seeds[2]);
        const std::size_t last_stride = kPassStrides.back();
        for (std::size_t visited = (body_length + last_stride - 1) / last_stride; visited > 0;
             --visited)
            random.Draw();
    }
    std::vector<std::uint8_t> filler(header_length);
    for (auto& byte : filler)
        byte = static_cast<std::uint8_t>((random.Draw() >> 8) & 0xFF);
    SealDataFile(file, frame, header.seeds, filler);
}

OpenedDataFile OpenDataFile(std::span<const std::uint8_t> file, const DataFileFrame& frame) {
    OpenedDataFile opened{std::vector<std::uint8_t>(file.begin(), file.end()),
                          ReadFrameSeeds(file, frame), ReadFrameChecks(file, frame)};
    DescrambleDataFile(opened.image, static_cast<std::size_t>(frame.headerLength),
                       opened.image.size(), opened.seeds, CheckMode::kNone, opened.checks);
    return opened;
}

bool DataFileBodyIntact(std::span<const std::uint8_t> image, const DataFileFrame& frame,
                        const OpenedDataFile& opened, std::size_t end) {
    return !HasSeeds(opened.seeds) || SumOf(image, static_cast<std::size_t>(frame.headerLength),
                                            std::min(end, image.size())) == opened.checks[0];
}

}  // namespace game
