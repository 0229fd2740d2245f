// The completion trigger over any text and caret positions, with the sample reference file as the host's
// database and a member file in the common folder.
//  - Each run of the trigger ends, leaves the caret where it was and the scroll position as it was, and
//    changes no text but the tag opener just typed before the caret, which it may write as "<QX:".
//  - The member list is on screen exactly when the trigger says so, never empty, and its start lies in
//    the text.
//  - Failures of the host library (a corrupt member file) end the request with the library's error;
//    nothing else escapes.
// The input is read as a script file; its last 18 bytes are six steps of 3 bytes: what to do (move the caret
// and ask with Ctrl+Space, type a character, type Backspace, type a snippet) and where.
#include "CompletionGlue.h"
#include "FuzzSupport.h"

#include "highlight/TextDecoding.h"
#include "hostlib/LibraryError.h"
#include "platform/ListPopup.h"
#include "platform/memory/MemoryCodeBox.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace {

using qx::fuzz::shown;

constexpr int kSteps = 6;
const QString kOpener = QStringLiteral("<QX:");

const char16_t kChars[] = {'.', ':', '=', '>', '-', '<', ' ', 'a', 'Q', 'X', '/', '\r', '(', ',', '"', '\t'};
const char* const kSnippets[] = {"<QX:",    "<qx:",          "<Qx:",         "</QX>",   "fso.",      "rs.",
                                 "oiTask.", "tag.",          "VBS>",         "DB-",     "DB-QUERY>", "bad.",
                                 "Name=",   "SCRIPT>Event:", "web.library.", " Select:"};

// The sample reference file as the host's database, and two member files: a good one and a corrupt one.
QString prepareFiles() {
    const QString root = qx::fuzz::sandbox();
    const QString members = root + QStringLiteral("/common/Kelvane/TagHandler/VBFunctions");
    QDir().mkpath(members);
    QFile::copy(QStringLiteral(QX_DATA_DIR "/members/fso.tag"), members + QStringLiteral("/fso.tag"));
    QFile bad(members + QStringLiteral("/bad.tag"));
    if (bad.open(QIODevice::WriteOnly))
        bad.write("{ \"format\": \"qxTagEditor2.properties\", \"version\": 1, \"items\": [ 1 ] }");
    return QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json");
}

// Runs the trigger once and checks what it did against the box as it was just before.
void checkedTrigger(qx::fuzz::CompletionGlue& glue, bool explicitRequest) {
    qx::MemoryCodeBox& box = glue.box();
    const QString before = box.Text();
    const int caret = box.SelStart();
    const int selLength = box.SelLength();
    box.SetScrollPos({3, 5});
    try {
        glue.runTrigger(explicitRequest);
    } catch (const qx::LibraryError&) {
        // The host library's failure ends the request; the control reports it.
    }
    const QString after = box.Text();
    if (after != before) {
        const bool openerRewritten =
            after.size() == before.size() && caret >= 4 && after.mid(caret - 4, 4) == kOpener &&
            before.mid(caret - 4, 4).compare(kOpener, Qt::CaseInsensitive) == 0 &&
            after.left(caret - 4) == before.left(caret - 4) && after.mid(caret) == before.mid(caret);
        QX_FUZZ_CHECK(
            openerRewritten,
            QStringLiteral("the trigger at %1 changed %2 to %3").arg(caret).arg(shown(before), shown(after)));
    }
    QX_FUZZ_CHECK(box.SelStart() == caret && (after != before || box.SelLength() == selLength),
                  QStringLiteral("the trigger moved the caret from %1+%2 to %3+%4 in %5")
                      .arg(caret)
                      .arg(selLength)
                      .arg(box.SelStart())
                      .arg(box.SelLength())
                      .arg(shown(before)));
    QX_FUZZ_CHECK(box.GetScrollPos() == (qx::ScrollPos{3, 5}),
                  QStringLiteral("the trigger at %1 left the scroll position at %2,%3 in %4")
                      .arg(caret)
                      .arg(box.GetScrollPos().x)
                      .arg(box.GetScrollPos().y)
                      .arg(shown(before)));
    const qx::ListPopup* list = glue.list();
    if (glue.listShown()) {
        QX_FUZZ_CHECK(
            list && list->Visible() && list->ListCount() > 0 && glue.listStart() >= 0 &&
                glue.listStart() <= after.size(),
            QStringLiteral("the list is said to be shown (start %1) but is %2 with %3 entries, at %4 in %5")
                .arg(glue.listStart())
                .arg(list && list->Visible() ? "visible" : "hidden")
                .arg(list ? list->ListCount() : 0)
                .arg(caret)
                .arg(shown(after)));
    } else {
        QX_FUZZ_CHECK(!list || !list->Visible(),
                      QStringLiteral("the list is on screen but not said to be, at %1 in %2")
                          .arg(caret)
                          .arg(shown(after)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString referenceFile = prepareFiles();
    qx::fuzz::ControlBytes control(data, size);
    control.reserve(3 * kSteps);
    const QString text = qx::decodeScriptFile(control.front());

    qx::fuzz::CompletionGlue glue(referenceFile);
    glue.setChangeHandler([&glue] { checkedTrigger(glue, false); });
    glue.setText(text, int(text.size()));
    qx::MemoryCodeBox& box = glue.box();
    for (int step = 0; step < kSteps; ++step) {
        const std::uint8_t what = control.byte();
        const std::uint16_t where = control.word();
        box.setSelStart(int(where % (box.Text().size() + 1)));
        switch (what % 4) {
        case 0:
            checkedTrigger(glue, true);
            break;
        case 1:
            box.typeText(QString(QChar(kChars[(what / 4) % std::size(kChars)])));
            break;
        case 2:
            box.typeText(QStringLiteral("\b"));
            break;
        case 3:
            box.typeText(QString::fromLatin1(kSnippets[(what / 4) % std::size(kSnippets)]));
            break;
        }
    }
    return 0;
}
