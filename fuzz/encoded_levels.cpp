// Stepping into encoded values and back out.
//  - Stepping into an area and back out without an edit gives back the exact text, at every level.
//  - Content that does not decode changes nothing: not the text, not the level.
//  - The busy flag is down after every step.
// The last two bytes pick the caret positions of the first and the second step; the rest is UTF-8 text.
#include "FuzzSupport.h"

#include "encoded/EncodedLevels.h"
#include "platform/EditorState.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryEditBar.h"
#include "platform/memory/MemoryMessageBox.h"
#include "platform/memory/MemoryStatusPanels.h"

#include <cstddef>
#include <cstdint>

namespace {

using qx::fuzz::shown;

// Steps into the area at the caret (when there is one) and checks that stepping back restores `before`.
void visit(qx::EncodedLevels& levels, qx::MemoryCodeBox& box, qx::EditorState& state, int caret) {
    const QString before = box.Text();
    box.setSelStart(caret);
    const int level = state.mlLevel;
    levels.EditEncoded();
    QX_FUZZ_CHECK(!state.mbBusy,
                  QStringLiteral("busy after stepping in at %1 of %2").arg(caret).arg(shown(before)));
    if (state.mlLevel == level) {
        QX_FUZZ_CHECK(
            box.Text() == before,
            QStringLiteral("a refused step changed %1 into %2").arg(shown(before), shown(box.Text())));
        return;
    }
    levels.GoBack();
    QX_FUZZ_CHECK(state.mlLevel == level && !state.mbBusy,
                  QStringLiteral("stepping back from %1 left level %2").arg(caret).arg(state.mlLevel));
    QX_FUZZ_CHECK(
        box.Text() == before,
        QStringLiteral("a visit at %1 changed %2 into %3").arg(caret).arg(shown(before), shown(box.Text())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::fuzz::ControlBytes control(data, size);
    control.reserve(2);
    const std::uint8_t first = control.byte();
    const std::uint8_t second = control.byte();
    const QString text = QString::fromUtf8(control.front());

    qx::MemoryCodeBox box;
    qx::EditorState state;
    qx::MemoryEditBar bar;
    qx::MemoryStatusPanels panels;
    qx::MemoryMessageBox messages;
    qx::EncodedLevels levels(box, state, bar, panels, messages, {});
    box.setText(text);
    const QString original = box.Text(); // after the box's separator rule
    const int length = int(original.size());
    visit(levels, box, state, first % (length + 1));

    // A second level: step in where the first byte says, then visit an area of the inner text.
    box.setSelStart(first % (length + 1));
    levels.EditEncoded();
    if (state.mlLevel == 2) {
        visit(levels, box, state, second % (int(box.Text().size()) + 1));
        levels.GoBack();
        QX_FUZZ_CHECK(
            box.Text() == original,
            QStringLiteral("two unedited levels changed %1 into %2").arg(shown(original), shown(box.Text())));
    }
    return 0;
}
