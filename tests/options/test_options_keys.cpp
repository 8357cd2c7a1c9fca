// The Options dialog from the keyboard: Tab through each page, and the colour swatches
// opened with Space and Enter.
#include "OptionsFixture.h"

#include "platform/gui/WinColour.h"

#include <QApplication>
#include <QTabBar>
#include <algorithm>
#include <functional>

namespace {

class OptionsKeys : public OptionsDialog
{
protected:
    // Opens the dialog as the window that receives the keys.
    void OpenActive()
    {
        Open();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    // The controls that Tab (or Shift+Tab) meets from the tab bar until it comes back to it.
    QStringList Walk(Qt::Key key)
    {
        QTabBar* tabs = dialog->SSTab->tabBar();
        tabs->setFocus(Qt::OtherFocusReason);
        QStringList met;
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QWidget* now = QApplication::focusWidget();
            if (now == nullptr || now == tabs)
                break;
            met << now->objectName();
        }
        return met;
    }
};

TEST_F(OptionsKeys, TabWalksEachPageLeftToRightThenDown)
{
    const struct { int page; QStringList controls; } pages[] = {
        {0,
         {"cmbEditorFonts", "cmbEditorFontSize", "chkEditorFontBold", "cmbEditorColours", "lblEditorColor", "richSample",
          "chkSplashScreen", "chkOpenLastFile", "chkAutoComplete", "chkAutoReformat", "cmdEditorDefault"}},
        {1,
         {"cmbDebugFonts", "cmbDebugFontSize", "cmbDebugColors", "lblDebugColor", "DebugSample", "chkShowGrid",
          "chkShowLineNumber", "cmdDebugDefault"}},
        {2, {"lblWPColor", "lblBackColor", "lblEffectColor", "cmdSimDefaults"}},
    };
    OpenActive();
    for (const auto& p : pages) {
        dialog->SSTab->setCurrentIndex(p.page);
        // After the page, the dialog's own buttons, then round to the tabs again.
        const QStringList forward = p.controls + QStringList{"cmdEditorCancel", "cmdOK"};
        EXPECT_EQ(Walk(Qt::Key_Tab), forward) << "page " << p.page;
        QStringList backward = forward;
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(Walk(Qt::Key_Backtab), backward) << "page " << p.page;
    }
}

TEST_F(OptionsKeys, SpaceOrEnterOnASwatchPicksItsColourAsAClickDoes)
{
    // Each swatch, its page, and where its colour shows after the pick: the chosen entry's
    // working colour (the first entry of each list is chosen on opening), or the sample.
    using Seen = std::function<qint32(frmOptions&)>;
    const auto simPixel = [](int x, int yFromMiddle) {
        return Seen([=](frmOptions& d) {
            const QImage& img = d.picSample->Image();
            const QColor c = img.pixelColor(x, int(d.picSample->ScaleHeight() / 2) + yFromMiddle);
            return platform::WinRgb(c.red(), c.green(), c.blue());
        });
    };
    const struct { const char* name; int page; std::function<ColourSwatch*(frmOptions&)> swatch; Seen seen; } swatches[] = {
        {"lblEditorColor", 0, [](frmOptions& d) { return d.lblEditorColor; },
         [](frmOptions& d) { return d.Working.EditorBackColor; }},
        {"lblDebugColor", 1, [](frmOptions& d) { return d.lblDebugColor; },
         [](frmOptions& d) { return d.Working.BreakPointColor; }},
        {"lblWPColor", 2, [](frmOptions& d) { return d.lblWPColor; }, simPixel(30, -25)},
        {"lblBackColor", 2, [](frmOptions& d) { return d.lblBackColor; }, simPixel(150, 0)},
        {"lblEffectColor", 2, [](frmOptions& d) { return d.lblEffectColor; }, simPixel(60, -25)},
    };
    const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};

    OpenActive();
    qint32 answer = 0x102030;
    for (const auto& s : swatches) {
        dialog->SSTab->setCurrentIndex(s.page);
        ColourSwatch* swatch = s.swatch(*dialog);
        dialog->SSTab->tabBar()->setFocus(Qt::OtherFocusReason);
        const QImage unfocused = swatch->grab().toImage();
        for (int i = 0; i < 30 && QApplication::focusWidget() != swatch; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), swatch) << s.name;
        EXPECT_NE(swatch->grab().toImage(), unfocused) << s.name << ": the focus is seen";
        for (const Qt::Key key : keys) {
            answer += 0x010101;
            answers = {answer};
            const size_t asked = openedOn.size();
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_EQ(openedOn.size(), asked + 1) << s.name << " key " << key;
            EXPECT_EQ(swatch->BackColor(), answer) << s.name << " key " << key;
            EXPECT_EQ(s.seen(*dialog), answer) << s.name << " key " << key;
            EXPECT_TRUE(dialog->isVisible()) << s.name << " key " << key; // Enter is not OK here
            EXPECT_TRUE(tag.isEmpty());
        }
    }
}

} // namespace
