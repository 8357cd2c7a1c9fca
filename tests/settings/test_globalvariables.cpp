#include "settings/GlobalVariables.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
using W = RecordingStore::Write;

const std::vector<W> kDefaultWrites = {
    {"TextEditor", "Font", "Courier New"},     {"TextEditor", "Size", "10"},
    {"TextEditor", "Integer", "0"},            {"TextEditor", "Character", "16711680"},
    {"TextEditor", "Background", "16777215"},  {"TextEditor", "Comment", "32768"},
    {"TextEditor", "Bold", "0"},               {"General", "AutoComplete", "1"},
    {"General", "SplashScreen", "1"},          {"General", "AutoReformat", "1"},
    {"General", "OpenLastFile", "1"},          {"Debug", "Font", "Courier New"},
    {"Debug", "Size", "10"},                   {"Debug", "BreakPointColor", "128"},
    {"Debug", "BreakPointTextColor", "16777215"}, {"Debug", "ExecutionPointColor", "65535"},
    {"Debug", "ExecutionPointTextColor", "0"}, {"Debug", "NormalBackColor", "16777215"},
    {"Debug", "NormalTextColor", "0"},         {"Debug", "C0Width", "350"},
    {"Debug", "C1Width", "300"},               {"Debug", "C2Width", "3500"},
    {"Debug", "RowHeight", "285"},             {"Debug", "Grid", "1"},
    {"Debug", "LineNumbers", "1"},             {"SimulationWindow", "WorkPieceColor", "16711680"},
    {"SimulationWindow", "BackColor", "16777215"}, {"SimulationWindow", "EffectColor", "16750230"},
};

void expectDefaults(const GlobalVariables& g)
{
    EXPECT_EQ(g.EditorFontName, "Courier New");
    EXPECT_EQ(g.EditorFontSize, 10);
    EXPECT_EQ(g.EditorCharColor, 16711680);
    EXPECT_EQ(g.EditorIntegerColor, 0);
    EXPECT_EQ(g.EditorCommentColor, 32768);
    EXPECT_EQ(g.EditorBackColor, 16777215);
    EXPECT_EQ(g.EditorBold, 0);
    EXPECT_EQ(g.AutoComplete, 1);
    EXPECT_EQ(g.AutoReformat, 1);
    EXPECT_EQ(g.OpenLastFile, 1);
    EXPECT_EQ(g.SplashScreen, 1);
    EXPECT_EQ(g.DebugFontName, "Courier New");
    EXPECT_EQ(g.DebugFontSize, 10);
    EXPECT_EQ(g.BreakPointColor, 128);
    EXPECT_EQ(g.BreakPointTextColor, 16777215);
    EXPECT_EQ(g.ExecutionPointColor, 65535);
    EXPECT_EQ(g.ExecutionPointTextColor, 0);
    EXPECT_EQ(g.NormalTextColor, 0);
    EXPECT_EQ(g.NormalBackColor, 16777215);
    EXPECT_EQ(g.DebugC0Width, 350);
    EXPECT_EQ(g.DebugC1Width, 300);
    EXPECT_EQ(g.DebugC2Width, 3500);
    EXPECT_EQ(g.DebugRowHeight, 285);
    EXPECT_EQ(g.DebugGrid, 1);
    EXPECT_EQ(g.DebugLineNumbers, 1);
    EXPECT_EQ(g.WorkPieceColor, 16711680);
    EXPECT_EQ(g.SimBackColor, 16777215);
    EXPECT_EQ(g.EffectColor, 16750230);
}
} // namespace

TEST(LoadSettings, EmptyStoreWritesThe28DefaultsInOrderAndLoadsThem)
{
    RecordingStore store;
    GlobalVariables g;
    g.LoadSettings(store);
    EXPECT_EQ(store.writes, kDefaultWrites);
    expectDefaults(g);
    for (const QString& app : store.appNames)
        EXPECT_EQ(app, "CNC");
}

TEST(LoadSettings, EmptyFontRewritesEveryKey)
{
    RecordingStore store;
    store.Put("TextEditor", "Font", "");
    store.Put("Debug", "Size", "12");
    store.Put("ViewOptions", "Toolbar", "False");
    GlobalVariables g;
    g.LoadSettings(store);
    EXPECT_EQ(store.writes, kDefaultWrites);
    EXPECT_EQ(g.DebugFontSize, 10);
    EXPECT_EQ(store.GetSetting("CNC", "ViewOptions", "Toolbar"), "False"); // not the block's
}

TEST(LoadSettings, PresentFontWritesNothingAndAbsentKeysDefault)
{
    RecordingStore store;
    store.Put("TextEditor", "Font", "Liberation Mono");
    store.Put("Debug", "C2Width", "4000");
    GlobalVariables g;
    g.LoadSettings(store);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(g.EditorFontName, "Liberation Mono");
    EXPECT_EQ(g.DebugC2Width, 4000);
    EXPECT_EQ(g.DebugRowHeight, 285);
}

TEST(LoadSettings, ConvertsEachValueOrFallsBackToItsDefault)
{
    struct Case { const char* section; const char* key; const char* stored; int expected; };
    const Case cases[] = {
        {"TextEditor", "Size", "11.5", 12},
        {"TextEditor", "Size", "10.5", 10},
        {"TextEditor", "Size", "70000", 10},
        {"TextEditor", "Size", "big", 10},
        {"TextEditor", "Size", "", 10},
        {"TextEditor", "Size", " 14 ", 14},
        {"TextEditor", "Size", "-3", -3},
        {"Debug", "RowHeight", "32767", 32767},
        {"Debug", "RowHeight", "32768", 285},
        {"SimulationWindow", "BackColor", "0", 0},
        {"SimulationWindow", "BackColor", "16711680", 16711680},
        {"SimulationWindow", "BackColor", "2147483648", 16777215},
        {"SimulationWindow", "BackColor", "#ffffff", 16777215},
        {"General", "AutoComplete", "0", 0},
        {"General", "AutoComplete", "yes", 1},
    };
    for (const Case& c : cases) {
        RecordingStore store;
        store.Put("TextEditor", "Font", "Courier New");
        store.Put(c.section, c.key, c.stored);
        GlobalVariables g;
        g.LoadSettings(store);
        int got = 0;
        const QString key = c.key;
        if (key == "Size") got = g.EditorFontSize;
        else if (key == "RowHeight") got = g.DebugRowHeight;
        else if (key == "BackColor") got = g.SimBackColor;
        else if (key == "AutoComplete") got = g.AutoComplete;
        EXPECT_EQ(got, c.expected) << c.key << " = " << c.stored;
    }
}
