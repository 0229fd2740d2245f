// The trigger's reading near the caret (through the tag index) decides as the whole-text resolution below.
#include "assist/CompletionContext.h"
#include "assist/TagIndex.h"
#include "hostlib/Library.h"
#include "platform/memory/MemoryCodeBox.h"
#include "support/SampleTexts.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace qx {
namespace {

const QString kOpener = QString::fromUtf16(kTagOpener), kCloser = QString::fromUtf16(kTagCloser);

// The one-based start of the last `what` lying wholly within the first `start` characters; 0 when none.
int inStrRev(const QString& text, const QString& what, int start,
             Qt::CaseSensitivity cs = Qt::CaseInsensitive) {
    const qsizetype from = std::min<qsizetype>(start, text.size()) - what.size();
    return from < 0 ? 0 : int(text.lastIndexOf(what, from, cs)) + 1;
}

// The opener of the tag the caret stands in (0: none) and its handler name, up to the first ">".
int openTag(const QString& text, int caret, QString& handler) {
    const int o = inStrRev(text, kOpener, caret);
    const int g = int(text.indexOf(QLatin1Char('>'), o - 1)) + 1;
    if (o == 0 || inStrRev(text, kCloser, caret) >= o || g == 0)
        return 0;
    handler = text.mid(o + 3, g - o - 4);
    return o;
}

// Tag content starting at the handler name loses the name and its ">".
QString dropHandler(const QString& content, const QString& handler) {
    const QString prefix = handler + QLatin1Char('>');
    return content.startsWith(prefix) ? content.mid(prefix.size()) : content;
}

// The name between the opener before position p and the character at p, when it is one plain word.
bool plainNameBefore(const QString& text, int p, QString& name) {
    const int o = inStrRev(text, kOpener, p);
    name = text.mid(o + 3, p - o - 4);
    return o > 0 && Library::instance().InStrMultiple(name, HandlerNameDelimiters(), 0) == 0;
}

CompletionContext referenceResolve(const QString& text, int selStart, bool explicitRequest,
                                   const std::function<int(int pos)>& lineOf) {
    CompletionContext r;
    const int caret = std::min<int>(selStart, int(text.size()));
    int p = caret; // the character that decides; Ctrl+Space steps back over blanks first
    while (explicitRequest && p >= 1 && QStringView(u"\r\n ").contains(text[p - 1]))
        --p;
    if (p < 1 || caret < 4)
        return r;
    switch (text[p - 1].unicode()) {
    case u':':
        if (text.mid(caret - 4, 4).compare(kOpener, Qt::CaseInsensitive) == 0) {
            r.action = CompletionAction::HandlerNames;
            r.rewriteOpener = text.mid(caret - 4, 4) != kOpener;
        } else if (const int o = openTag(text, caret, r.handler)) {
            r.action = CompletionAction::CommandHelp;
            r.content = dropHandler(text.mid(o + 3), r.handler);
        }
        break;
    case u'=':
        if (const int o = openTag(text, caret, r.handler)) {
            r.action = CompletionAction::ArgumentHelp;
            r.content = dropHandler(text.mid(o + 3, caret - o - 4), r.handler);
            r.argument = r.content.mid(r.content.lastIndexOf(QLatin1Char(':')) + 1);
        }
        break;
    case u'-':
        if (plainNameBefore(text, p, r.handler))
            r.action = CompletionAction::HandlerNames;
        break;
    case u'>':
        if (p >= 5 && text.mid(p - 5, 4) == QLatin1String("</QX"))
            r.action = CompletionAction::TagClosed;
        else if (plainNameBefore(text, p, r.handler))
            r.action = CompletionAction::HandlerItems;
        break;
    case u'.': {
        // The word runs from the nearest space, "(" or "," on the caret's line (else from the line's start)
        // to the dot; the character right before the dot is never taken as a delimiter.
        const auto onCaretLine = [&](const char* what) {
            const int found = inStrRev(text, QLatin1String(what), caret - 2, Qt::CaseSensitive);
            return found > 0 && lineOf(found) == lineOf(caret) ? found : 0;
        };
        int d = std::max({onCaretLine(" "), onCaretLine("("), onCaretLine(",")});
        if (d == 0)
            d = onCaretLine("\n");
        if (d > 0 || lineOf(caret) == 0) {
            r.action = CompletionAction::ObjectMembers;
            r.word = text.mid(d, caret - d - 1);
        }
        break;
    }
    }
    return r;
}

// What the trigger acts on; the content, which may run to the text's end, by its start, length and hash.
QString describe(const CompletionContext& c) {
    if (c.action == CompletionAction::None)
        return QStringLiteral("none");
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
        .arg(int(c.action))
        .arg(c.rewriteOpener)
        .arg(c.handler, c.content.left(80), c.argument, c.word)
        .arg(c.content.size())
        .arg(qHash(c.content));
}

// The box's edits keep the index of tags in step, as the controller's Edited does.
class CompletionDifferentialTest : public ::testing::Test, public CodeBoxEvents {
protected:
    CompletionDifferentialTest() { setEvents(box, this); }
    ~CompletionDifferentialTest() override { setEvents(box, nullptr); }
    void Edited(int position, const QString& removed, int added) override {
        tags.Edited(box, position, int(removed.size()), added);
    }

    QRandomGenerator random{5};
    MemoryCodeBox box;
    TagIndex tags;

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }

    // Carets after the characters that ask for something (blanks with Ctrl+Space): window and whole text.
    void checkAround(int from, int to) {
        const QString text = box.Text();
        const auto lineOf = [this](int pos) { return box.GetLineFromChar(pos); };
        for (int caret = qMax(from, 0); caret <= qMin(to, int(text.size())); ++caret) {
            const QChar before = caret > 0 ? text[caret - 1] : QChar();
            if (!QStringView(u":=->. \r\n").contains(before))
                continue;
            const bool explicitRequest = QStringView(u" \r\n").contains(before);
            const QString expected = describe(referenceResolve(text, caret, explicitRequest, lineOf));
            ASSERT_EQ(describe(ResolveCompletion(BoxCompletionText(box, tags), caret, explicitRequest)),
                      expected)
                << "window, caret " << caret << " after " << text.mid(qMax(0, caret - 40), 40).toStdString();
            ASSERT_EQ(describe(ResolveCompletion(text, caret, explicitRequest, lineOf)), expected)
                << "whole text, caret " << caret;
        }
    }

    void run(const QString& source, int edits) {
        static const QStringList pieces = {"<QX:", "<qX:", "</QX>", "</qx>", "<QX:db>", ">",    ":",
                                           "=",    "-",    ".",     " ",     "(",       ",",    "\r\n",
                                           "\n",   "\r",   "x",     "",      "</QX",    "tag.", "  "};
        box.setText(source);
        for (int round = 0; round < edits && !HasFatalFailure(); ++round) {
            const int length = box.TextLength(), position = pick(length + 1);
            const QString inserted = pick(3) == 0 ? source.mid(pick(int(source.size())), pick(80))
                                                  : pieces[pick(int(pieces.size()))];
            box.SelectRange(position, qMin(length, position + pick(9)));
            box.setSelText(inserted);
            checkAround(position - 12, position + int(inserted.size()) + 12);
            for (int i = 0; i < 3; ++i) {
                const int at = pick(box.TextLength());
                checkAround(at, at + 40);
            }
        }
    }
};

// On every eighth corpus file (30 edits each) and the generated 1 MB texts (15 edits each), when built.
TEST_F(CompletionDifferentialTest, DecidesAsTheWholeTextDoes) {
    QStringList texts = test::corpusTexts(8);
    const int corpusCount = int(texts.size());
    for (const char* name : {"tag_1mb.qx", "script_1mb.vbs"}) {
        if (const QString text = test::generatedText(QLatin1String(name)); !text.isNull())
            texts << text;
    }
    if (texts.isEmpty())
        GTEST_SKIP() << "no corpus at " << QX_CORPUS_DIR << " and no generated texts";
    for (int i = 0; i < texts.size() && !HasFatalFailure(); ++i)
        run(texts[i], i < corpusCount ? 30 : 15);
}

} // namespace
} // namespace qx
