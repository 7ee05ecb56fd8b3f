// The stress run: thousands of random user actions on the real viewer.
#include "RandomUseTest.h"

#include "OS.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::uint64_t kDefaultSeed = 0x4f4d4252;  // "OMBR"
constexpr std::int64_t kDefaultActions = 1000;
// A checkpoint after about this many actions in a thousand, and at the end.
constexpr std::int32_t kCheckpointPerMille = 20;

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

} // namespace

StressSettings StressSettings::FromEnvironment()
{
    StressSettings settings{kDefaultSeed, kDefaultActions, false};
    if (const char* seed = Variable("OMBRELIA_STRESS_SEED"))
        settings.seed = std::strtoull(seed, nullptr, 0);
    if (const char* actions = Variable("OMBRELIA_STRESS_ACTIONS"))
        settings.actions = std::strtoll(actions, nullptr, 0);
    settings.verbose = Variable("OMBRELIA_STRESS_VERBOSE") != nullptr;
    return settings;
}

RandomUseTest::RandomUseTest()
    : fSettings(StressSettings::FromEnvironment()), fRandom(fSettings.seed),
      fLog(fSettings.verbose)
{
}

TEST_F(RandomUseTest, EveryOrderOfUserActionsKeepsTheViewerConsistent)
{
    char replay[160];
    std::snprintf(replay, sizeof replay,
                  "[stress] seed %llu, %lld actions (replay with OMBRELIA_STRESS_SEED=%llu "
                  "OMBRELIA_STRESS_ACTIONS=%lld)",
                  static_cast<unsigned long long>(fSettings.seed),
                  static_cast<long long>(fSettings.actions),
                  static_cast<unsigned long long>(fSettings.seed),
                  static_cast<long long>(fSettings.actions));
    std::printf("%s\n", replay);
    std::fflush(stdout);
    fLog.WriteOnCrash((std::string(replay) + "\n[stress] crashed; the last actions:").c_str());

    MeasureThreadBaseline();
    const auto started = std::chrono::steady_clock::now();
    for (std::int64_t i = 1; i <= fSettings.actions; ++i) {
        PerformRandomAction(i);
        std::string failure = CheckAfterAction();
        if (failure.empty() && (Chance(kCheckpointPerMille) || i == fSettings.actions)) {
            fLog.Record(i, "checkpoint: pulse until finished, compare the image");
            failure = CheckFinishedImage();
        }
        if (!failure.empty()) {
            FAIL() << "after action #" << i << ": " << failure << "\n"
                   << replay << "\nthe last actions:\n"
                   << fLog.Recent();
        }
    }
    platform_test::FailNextSpawns(0);
    fCounts.renders += fView->fRenderCount;

    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::printf("[stress] %lld actions in %.1f s: %lld renders started, %lld checkpoints "
                "(%lld at 256 or more iterations), %lld closes, %lld presses on an idle view "
                "(%lld zooms), %lld during a render\n",
                static_cast<long long>(fSettings.actions), seconds.count(),
                static_cast<long long>(fCounts.renders),
                static_cast<long long>(fCounts.checkpoints),
                static_cast<long long>(fCounts.longCheckpoints),
                static_cast<long long>(fCounts.closes), static_cast<long long>(fCounts.tracked),
                static_cast<long long>(fCounts.zooms), static_cast<long long>(fCounts.ignored));
}
