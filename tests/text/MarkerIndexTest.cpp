#include "text/MarkerIndex.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace qx {
namespace {

const QString kMarker = QStringLiteral("=\"{\\rtf1");

// The index answers as a scan would after edits that split, join, create and destroy markers.
TEST(MarkerIndexTest, FollowsEditsAsAFullScanWould) {
    QRandomGenerator random(7);
    const QStringList pieces = {kMarker, "=\"", "{\\rtf1", "x", "\r\n",
                                "tf1",   "=",   "\"{\\r",  "",  kMarker + "x" + kMarker};
    QString text = QStringLiteral("a=\"{\\rtf1 b}\" c =\"{\\rtf1");
    MarkerIndex index(kMarker);
    for (int round = 0; round < 400; ++round) {
        const int position = int(random.bounded(int(text.size()) + 1));
        const int removed = int(random.bounded(qMin(12, int(text.size()) - position) + 1));
        const QString inserted = pieces[int(random.bounded(int(pieces.size())))];
        text.replace(position, removed, inserted);
        index.Edited(text, position, removed, int(inserted.size()));
        for (int end = 0; end <= text.size(); end += 3) {
            ASSERT_EQ(index.LastBefore(text, end), int(QStringView(text).first(end).lastIndexOf(kMarker)))
                << "round " << round << " end " << end;
            ASSERT_EQ(index.FirstFrom(text, end), int(text.indexOf(kMarker, end))) << "round " << round;
        }
    }
}

TEST(MarkerIndexTest, AnEditItCannotFollowRebuildsTheIndex) {
    MarkerIndex index(kMarker);
    QString text = kMarker + "zz" + kMarker;
    index.Edited(text, 0, -1, int(text.size()));
    EXPECT_EQ(index.LastBefore(text, int(text.size())), 10);
    text.prepend("q"); // an edit that was never reported
    EXPECT_EQ(index.LastBefore(text, int(text.size())), 11);
}

} // namespace
} // namespace qx
