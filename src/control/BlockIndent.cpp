#include "control/BlockIndent.h"

#include "platform/ApiTools.h"
#include "platform/CodeBox.h"

namespace qx::BlockIndent {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

void ExtendSelectionToLines(CodeBox& box) {
    const QString text = box.Text();
    int start = box.SelStart();
    int end = start + box.SelLength();
    if (!box.SelText().endsWith(kCrLf) && end < text.size()) {
        // From the last selected character, so that a selection ending inside a CR LF takes its LF.
        const qsizetype lineEnd = text.indexOf(kCrLf, qMax(end - 1, 0));
        if (lineEnd >= 0)
            end = int(lineEnd) + 2;
    }
    if (start > 0 && (start == 1 || QStringView(text).sliced(start - 2, 2) != kCrLf)) {
        const qsizetype previous = QStringView(text).first(start).lastIndexOf(kCrLf);
        start = previous < 0 ? 0 : int(previous) + 2;
    }
    SelectRange(box, start, end - start);
}

QString ShiftLines(const QString& text, int direction, int count) {
    if (direction == 0)
        return text;
    const bool endsWithBreak = text.endsWith(kCrLf);
    QString lines = kCrLf + (endsWithBreak ? text.chopped(2) : text);
    if (direction > 0) {
        lines.replace(kCrLf, kCrLf + QString(count, u' '));
    } else {
        const QString breakAndSpace = kCrLf + u' ';
        for (int i = 0; i < count; ++i)
            lines.replace(breakAndSpace, kCrLf);
    }
    lines.remove(0, 2);
    return endsWithBreak ? lines + kCrLf : lines;
}

} // namespace qx::BlockIndent
