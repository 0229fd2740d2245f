#include "platform/ApiTools.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/QtCodeBox.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

template <typename Box> class LineIndentTest : public ::testing::Test {
protected:
    Box box;
};

using Boxes = ::testing::Types<MemoryCodeBox, QtCodeBox>;
TYPED_TEST_SUITE(LineIndentTest, Boxes);

// Leading spaces of the caret's line, up to the first other character and no more than 255.
TYPED_TEST(LineIndentTest, CountsLeadingSpacesOfTheCaretsLine) {
    const QString spaces255(255, ' ');
    const std::tuple<QString, int, int> cases[] = {{"   word", 5, 3},
                                                   {"a\r\n  b\r\n    c", 5, 2},
                                                   {"a\r\n  b\r\n    c", 0, 0},
                                                   {"a\r\n\r\n    c", 3, 0},
                                                   {"", 0, 0},
                                                   {"  \t  x", 0, 2},
                                                   {"      ", 6, 6},
                                                   {QString(300, ' '), 0, 255},
                                                   {spaces255 + "x", 0, 255},
                                                   {spaces255.mid(1) + "x", 0, 254}};
    for (const auto& [text, caret, indent] : cases) {
        this->box.setText(text);
        this->box.setSelStart(caret);
        EXPECT_EQ(LineIndent(this->box), indent) << text.toStdString() << " at " << caret;
    }
}

// SelectRange takes a start and a length; with a selection, the line of its start counts.
TYPED_TEST(LineIndentTest, TakesTheLineWhereTheSelectionStarts) {
    this->box.setText(" a\r\n   b");
    SelectRange(this->box, 1, 5);
    EXPECT_EQ(this->box.SelText(), "a\r\n  ");
    EXPECT_EQ(LineIndent(this->box), 1);
}

} // namespace
} // namespace qx
