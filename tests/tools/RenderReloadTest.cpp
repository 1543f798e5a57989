#include "RenderFixture.h"

#include <chrono>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace rendertest {
namespace {

// Waits until the driver has printed its first line, so that what is saved
// next is saved after the drop, as an author's save during playback is.
bool awaitFirstLine(const std::string& path)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(path);
        std::string line;
        if (std::getline(in, line) && in.good())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST_F(RenderTest, ADefinitionSavedDuringASleepIsLoadedOnTheNextStep)
{
    // The save lands a few milliseconds after the first state line; the
    // sleep takes it well past the settle time before the step looks.
    auto driver = std::async(std::launch::async, [this] {
        return run({ "--drop", "def.txt", "--toggle", "autodefload", "--state", "--sleep", "1500", "--frames",
            "1", "--state", "--toggle", "autodefload", "--state" });
    });
    const bool started = awaitFirstLine(folder.file(".stdout"));
    folder.write("def.txt", definition("Saved"));
    const RunResult result = driver.get();
    ASSERT_TRUE(started);
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<JsonValue> states = jsonLines(result);
    ASSERT_EQ(states.size(), 3u);
    // Appended right after "paused"; the zoom window's keys follow it.
    const std::vector<std::string> keys = states[0].keys();
    ASSERT_GE(keys.size(), 3u);
    EXPECT_EQ(keys[keys.size() - 3], "autodefload");
    EXPECT_EQ(keys[keys.size() - 4], "paused");
    EXPECT_TRUE(states[0]["autodefload"].boolean);
    EXPECT_EQ(states[0]["Label1"].string, "Tester");
    EXPECT_EQ(states[1]["Label1"].string, "Saved");
    EXPECT_FALSE(states[2]["autodefload"].boolean);
}

} // namespace
} // namespace rendertest
