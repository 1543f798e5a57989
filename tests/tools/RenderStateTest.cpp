#include "RenderFixture.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace rendertest {
namespace {

TEST_F(RenderTest, TheStateBeforeAnyDropIsTheWindowsStartState)
{
    const RunResult result = run({ "--state" });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
        "{\"Label1\":\"名前\",\"Label2\":\"状態\",\"Edit1\":\"100\",\"Edit2\":\"\",\"CheckBox1\":false,"
        "\"CheckBox2\":false,\"autocgload\":false,\"enabled\":[\"clipper\"],\"animation\":0,\"frame\":0,"
        "\"return\":0,\"returnLabel\":\"\",\"interval\":0,\"playback\":false,\"sheetPath\":\"\","
        "\"sheetAge\":0,\"sheet\":{\"width\":0,\"height\":0,\"transparent\":null},\"clipboard\":\"\","
        "\"paused\":false,\"autodefload\":false,\"onion\":[0,0],\"nobackground\":false}\n");
}

TEST_F(RenderTest, ADropLoadsTheCharacterAsTheWindowWould)
{
    // "テスト" in Shift-JIS: the name label shows it decoded.
    folder.write("def.txt", definition("\x83\x65\x83\x58\x83\x67"));
    const RunResult result = run({ "--drop", "def.txt", "--state" });
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 1u);
    const JsonValue& state = lines[0];
    EXPECT_EQ(state.keys(),
        (std::vector<std::string> { "Label1", "Label2", "Edit1", "Edit2", "CheckBox1", "CheckBox2",
            "autocgload", "enabled", "animation", "frame", "return", "returnLabel", "interval", "playback",
            "sheetPath", "sheetAge", "sheet", "clipboard", "paused", "autodefload", "onion",
            "nobackground" }));
    EXPECT_EQ(state["Label1"].string, "テスト");
    EXPECT_EQ(state["Label2"].string, "状態");
    EXPECT_EQ(state["Edit1"].string, "50");
    EXPECT_EQ(state["enabled"].strings(),
        (std::vector<std::string> { "Button1", "Button6", "buttonck", "reload", "clipper", "CGreload" }));
    EXPECT_EQ(state["animation"].number, 1);
    EXPECT_EQ(state["interval"].number, 50);
    EXPECT_TRUE(state["playback"].boolean);
    EXPECT_EQ(state["sheetPath"].string, "sheet.bmp");
    EXPECT_EQ(state["sheetAge"].number, platform::fileAge(folder.file("sheet.bmp")));
    EXPECT_EQ(state["sheet"]["width"].number, 16);
    EXPECT_EQ(state["sheet"]["height"].number, 8);
    EXPECT_EQ(state["sheet"]["transparent"].number, kKey);
}

TEST_F(RenderTest, TablesHoldEverySlotOfEveryTable)
{
    const RunResult result = run({ "--tables", "--drop", "def.txt", "--tables" });
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 2u);
    const JsonValue& before = lines[0];
    const JsonValue& tables = lines[1];
    EXPECT_EQ(
        tables.keys(), (std::vector<std::string> { "patterns", "base", "layer", "placement", "layered" }));
    ASSERT_EQ(tables["patterns"].items.size(), 256u);
    EXPECT_EQ(tables["patterns"][0].numbers(), (std::vector<std::int64_t>(8, 0)));
    EXPECT_EQ(tables["patterns"][2].numbers(), (std::vector<std::int64_t> { 8, 0, 12, 4, 8, 0, 4, 4 }));
    EXPECT_EQ(tables["patterns"][5].numbers(), (std::vector<std::int64_t> { 20, 30, 22, 32, 20, 30, 2, 2 }));
    for (const char* name : { "base", "layer", "placement" }) {
        ASSERT_EQ(tables[name].items.size(), 31u) << name;
        for (const JsonValue& row : tables[name].items)
            ASSERT_EQ(row.items.size(), 256u) << name;
        // Before any load the tables are zero; a load empties every slot first.
        EXPECT_EQ(before[name][1][1].number, 0) << name;
        EXPECT_EQ(tables[name][30][0].number, -1) << name;
    }
    const auto head = [](const JsonValue& row) {
        const std::vector<std::int64_t> all = row.numbers();
        return std::vector<std::int64_t>(all.begin(), all.begin() + 4);
    };
    EXPECT_EQ(head(tables["base"][1]), (std::vector<std::int64_t> { -1, 2, 3, -1 }));
    EXPECT_EQ(head(tables["base"][6]), (std::vector<std::int64_t> { -1, 3, 2, -1 }));
    EXPECT_EQ(head(tables["layer"][6]), (std::vector<std::int64_t> { -1, 4, 4, -1 }));
    EXPECT_EQ(head(tables["placement"][6]), (std::vector<std::int64_t> { -1, 5, 5, -1 }));
    ASSERT_EQ(tables["layered"].items.size(), 31u);
    for (std::size_t a = 0; a < 31; ++a)
        EXPECT_EQ(tables["layered"][a].boolean, a == 6) << a;
}

TEST_F(RenderTest, AOneShotFallsBackToTheAnimationPlayedBeforeIt)
{
    const RunResult result
        = run({ "--drop", "def.txt", "--press", "Button6", "--state", "--frames", "2", "--state", "--frames",
            "1", "--state", "--toggle", "CheckBox2", "--press", "Button6", "--frames", "3", "--state" });
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 4u);
    const auto summary = [](const JsonValue& s) {
        return std::to_string(s["animation"].number) + "/" + std::to_string(s["frame"].number) + " "
            + s["Label2"].string + " <- " + std::to_string(s["return"].number) + " "
            + s["returnLabel"].string;
    };
    EXPECT_EQ(summary(lines[0]), "6/0 喜び１ <- 1 状態");
    EXPECT_EQ(summary(lines[1]), "6/2 喜び１ <- 1 状態");
    EXPECT_EQ(summary(lines[2]), "1/1 状態 <- 1 状態");
    // With the loop box checked the one-shot starts again instead.
    EXPECT_EQ(summary(lines[3]), "6/1 喜び１ <- 1 状態");
    EXPECT_TRUE(lines[3]["CheckBox2"].boolean);
}

TEST_F(RenderTest, EditsTogglesAndTheClipboardFollowTheWindowsRules)
{
    const RunResult result = run({ "--speed", "40", "--state", "--speed", "abc", "--state", "--speed", "1000",
        "--pattern", "0102", "--press", "clipper", "--toggle", "CheckBox1", "--toggle", "autocgload",
        "--toggle", "autocgload", "--state" });
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]["interval"].number, 40);
    EXPECT_EQ(lines[1]["Edit1"].string, "abc");
    EXPECT_EQ(lines[1]["interval"].number, 40);
    EXPECT_EQ(lines[2]["interval"].number, 1000);
    EXPECT_EQ(lines[2]["Edit2"].string, "0102");
    EXPECT_EQ(lines[2]["clipboard"].string, "0102");
    EXPECT_TRUE(lines[2]["CheckBox1"].boolean);
    EXPECT_FALSE(lines[2]["CheckBox2"].boolean);
    EXPECT_FALSE(lines[2]["autocgload"].boolean);
}

TEST_F(RenderTest, DisabledButtonsIgnoreTheirClicks)
{
    const RunResult result = run({ "--press", "Button1", "--press", "reload", "--press", "CGreload",
        "--press", "buttonck", "--state" });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["animation"].number, 0);
    EXPECT_EQ(lines[0]["Label2"].string, "状態");
    EXPECT_EQ(lines[0]["sheetAge"].number, 0);
}

TEST_F(RenderTest, TextsThatAreNoValidUtf8StillGiveValidJson)
{
    const std::string text = std::string("\"\\\x01\t") + "\xFF" + "é";
    const RunResult result = run({ "--pattern", text, "--state" });
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.out.find('\xFF'), std::string::npos);
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["Edit2"].string,
        "\"\\\x01\t\xEF\xBF\xBD"
        "é");
}

// ---- errors ------------------------------------------------------------

TEST_F(RenderTest, AFailedDropIsReportedAndTheRunGoesOn)
{
    const RunResult result
        = run({ "--drop", "missing.txt", "--state", "--drop", "def.txt", "--frames", "1", "--state" });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errLines(), (std::vector<std::string> { "ファイル missing.txt は開けません." }));
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 2u);
    // The drop enables its three buttons before the load fails.
    EXPECT_EQ(lines[0]["enabled"].strings(),
        (std::vector<std::string> { "buttonck", "reload", "clipper", "CGreload" }));
    EXPECT_FALSE(lines[0]["playback"].boolean);
    EXPECT_EQ(lines[1]["frame"].number, 1);
}

TEST_F(RenderTest, EveryErrorIsOneLineOfTheMessageBoxText)
{
    folder.write("bad.txt", "#CHARNAME Bad\n#CHARBMP sheet.xyz\n");
    folder.write("sheet.xyz", "not a picture");
    const RunResult result = run({ "--drop", "bad.txt", "--press", "reload", "--drop", "def.txt", "--pattern",
        "01  02", "--press", "buttonck", "--state", "--tables" });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errLines(),
        (std::vector<std::string> { "拡張子 .xyz の画像形式は処理できません.",
            "拡張子 .xyz の画像形式は処理できません.", "'$' は数値ではありません." }));
    const std::vector<JsonValue> lines = jsonLines(result);
    ASSERT_EQ(lines.size(), 2u);
    // The failing pattern check changed neither the player nor the label,
    // but kept the pair it stored before the failure.
    EXPECT_EQ(lines[0]["animation"].number, 1);
    EXPECT_EQ(lines[0]["Label2"].string, "状態");
    EXPECT_EQ(lines[1]["base"][30][1].number, 1);
    EXPECT_EQ(lines[1]["base"][30][2].number, -1);
}

struct UsageCase {
    std::vector<std::string> arguments;
};

class RenderUsage : public RenderTest, public ::testing::WithParamInterface<UsageCase> { };

TEST_P(RenderUsage, IsRefusedBeforeAnyActionRuns)
{
    std::vector<std::string> arguments { "--drop", "def.txt", "--state", "--frames", "1", "--out",
        "strip.png" };
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    const RunResult result = run(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("usage: nimbrel-render"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("strip.png")));
}

INSTANTIATE_TEST_SUITE_P(Arguments, RenderUsage,
    ::testing::Values(UsageCase { { "--bogus" } }, UsageCase { { "state" } }, UsageCase { { "--drop" } },
        UsageCase { { "--frames" } }, UsageCase { { "--frames", "x" } }, UsageCase { { "--frames", "-1" } },
        UsageCase { { "--frames", "1.5" } }, UsageCase { { "--frames", "99999999999" } },
        UsageCase { { "--frames", "2000" } }, UsageCase { { "--press", "CheckBox1" } },
        UsageCase { { "--press", "button1" } }, UsageCase { { "--toggle", "Button1" } },
        UsageCase { { "--out" } }, UsageCase { { "--sleep", "60001" } }, UsageCase { { "--sleep", "-5" } },
        UsageCase { { "--sleep" } }, UsageCase { { "" } }));

TEST_F(RenderTest, HelpPrintsTheUsageAndRunsNothing)
{
    const RunResult result = run({ "--drop", "def.txt", "--help", "--bogus" });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("usage: nimbrel-render [ACTION]...\n", 0), 0u);
    EXPECT_EQ(result.err, "");
}

TEST_F(RenderTest, ARunWithoutActionsDoesNothing)
{
    const RunResult result = run({});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

} // namespace
} // namespace rendertest
