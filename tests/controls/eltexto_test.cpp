#include "control_harness.h"
#include "controls/eltexto.h"
#include "platform/errors.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

namespace {

using Box = Loaded<eltexto, 1425, 300>;

// What the user sees, the field included.
QRgb seen(eltexto& box, int x, int y) {
    return box.grab().toImage().pixel(x, y);
}

} // namespace

TEST(TextBox, ALayoutShowsInTheFieldAndTheFrameWithNoMinimumWidth) {
    Box box;
    expect_colour(box, black, {{0, 0}}); // sunken
    expect_colour(box, light, {{1, 19}});
    box.BackColor(0x000000FF); // shows between the left edge and the field
    EXPECT_EQ(seen(box, 2, 10), to_rgb(0x000000FF));
    box.Enabled(false); // greys nothing
    EXPECT_EQ(seen(box, 50, 10), to_rgb(skin::back_dark));
    box.Resize(400, 300); // 26.67 px: no minimum width
    EXPECT_EQ(box.Text1().geometry(), QRect(4, 2, 18, 16));
    box.Color3DDark(0x00FF0000);
    expect_colour(box, 0x00FF0000, {{0, 19}});
    box.load({{"fontsize", 12.0}});
    EXPECT_EQ(box.Text1().font().pixelSize(), 16);
}

TEST(TextBox, MaxCharsLimitsTypingAndPastingButNotTheProgram) {
    Box box({{"maxchars", std::int32_t(5)}});
    QTest::keyClicks(&box.Text1(), "abcdef");
    EXPECT_EQ(box.Text(), "abcde");
    box.Text("ab");
    box.Text1().setCursorPosition(1);
    QApplication::clipboard()->setText("wxyz");
    box.Text1().paste();
    EXPECT_EQ(box.Text(), "awxyb"); // as much as fits
    EXPECT_EQ(box.Text1().cursorPosition(), 4);
    box.Text("D:\\cs\\cstrike");
    QTest::keyClick(&box.Text1(), Qt::Key_X);
    EXPECT_EQ(box.Text(), "D:\\cs\\cstrike");
    QTest::keyClick(&box.Text1(), Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), "D:\\cs\\cstrik");
    EXPECT_THROW(box.MaxChars(-1), tarnwick::platform::InvalidValueError);
    EXPECT_EQ(box.MaxChars(), 5);
    box.MaxChars(0);
    QTest::keyClicks(&box.Text1(), "ee");
    EXPECT_EQ(box.Text(), "D:\\cs\\cstrikee");
}

TEST(TextBox, HostChangesAndCancelsKeysByReference) {
    Box box;
    std::string seen; // each event with its KeyCode, or for a KeyPress its KeyAscii
    box.on_event([&](int event, EventArgs& args) {
        seen += std::to_string(event) + ":" +
                std::to_string(event == 3 ? args.KeyAscii : args.KeyCode) + " ";
        if (event == 3 && args.KeyAscii == 'x') args.KeyAscii = 0;
        if (event == 3 && args.KeyAscii == 'a') args.KeyAscii = 'b';
        if (event == 3 && args.KeyAscii == 8) args.KeyAscii = 0; // no rubbing out
        if (event == 2 && args.KeyCode == 46) args.KeyCode = 0;  // nor deleting
        if (event == 2 && args.KeyCode == 36) args.KeyCode = 35; // Home goes to the end
    });
    QTest::keyClicks(&box.Text1(), "xaa");
    EXPECT_EQ(box.Text(), "bb");
    EXPECT_EQ(seen, "2:88 3:120 1:88 2:65 3:97 1:65 2:65 3:97 1:65 ");
    box.Text1().setCursorPosition(1);
    QTest::keyClick(&box.Text1(), Qt::Key_Backspace);
    QTest::keyClick(&box.Text1(), Qt::Key_Delete);
    EXPECT_EQ(box.Text(), "bb");
    QTest::keyClick(&box.Text1(), Qt::Key_Home);
    EXPECT_EQ(box.Text1().cursorPosition(), 2);
}

TEST(TextBox, MouseEventsFromTheFieldOnlyInItsCoordinates) {
    Box box;
    Recorder host(box);
    click(box, {1, 10}); // the frame's gap
    click(box.Text1(), {10, 5});
    double_click(box.Text1(), {12, 6});
    EXPECT_EQ(host.log, "6(10,5) 8(10,5) 4 6(12,6) 8(12,6) 4 5 8(12,6)");
    EXPECT_EQ(host.buttons, "11011001");
}
