// The completion trigger reads the box near the caret, through the index of tags: it must decide as the
// whole-text resolution did, on real and generated texts under random edits.
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

// Positions below are one-based, as the classic search functions count: the caret position selStart is
// also the one-based position of the character just before the caret.

const QString kOpener = QString::fromUtf16(kTagOpener);
const QString kCloser = QString::fromUtf16(kTagCloser);

// The last occurrence of what lying wholly within the first `start` characters; 0 when there is none.
int inStrRev(const QString& text, const QString& what, int start, Qt::CaseSensitivity cs) {
    const qsizetype from = std::min<qsizetype>(start, text.size()) - what.size();
    if (from < 0)
        return 0;
    return int(text.lastIndexOf(what, from, cs)) + 1;
}

// The character at a one-based position.
QChar charAt(const QString& text, int position) {
    return text.at(position - 1);
}

bool isBlank(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char(' ');
}

// The open tag the caret stands in: its opener's position o, and g, the first ">" after the opener.
struct OpenTag {
    int o = 0;
    int g = 0;
    QString handler;
};

bool findOpenTag(const QString& text, int caret, OpenTag& tag) {
    tag.o = inStrRev(text, kOpener, caret, Qt::CaseInsensitive);
    if (tag.o == 0)
        return false;
    if (inStrRev(text, kCloser, caret, Qt::CaseInsensitive) >= tag.o)
        return false;
    tag.g = int(text.indexOf(QLatin1Char('>'), tag.o - 1)) + 1;
    if (tag.g == 0)
        return false;
    tag.handler = text.mid(tag.o + 3, tag.g - tag.o - 4);
    return true;
}

// Tag content starting at the handler name loses the name and its ">".
QString dropHandler(const QString& content, const QString& handler) {
    const QString prefix = handler + QLatin1Char('>');
    return content.startsWith(prefix) ? content.mid(prefix.size()) : content;
}

// The name between the opener before position p and the character at p, when it is one plain word.
bool plainNameBefore(const QString& text, int p, QString& name) {
    const int o = inStrRev(text, kOpener, p, Qt::CaseInsensitive);
    if (o == 0)
        return false;
    name = text.mid(o + 3, p - o - 4);
    return Library::instance().InStrMultiple(name, HandlerNameDelimiters(), 0) == 0;
}

CompletionContext colonCase(const QString& text, int caret) {
    CompletionContext result;
    const QString lastFour = text.mid(caret - 4, 4);
    if (lastFour.compare(kOpener, Qt::CaseInsensitive) == 0) {
        result.action = CompletionAction::HandlerNames;
        result.rewriteOpener = lastFour != kOpener;
        return result;
    }
    OpenTag tag;
    if (!findOpenTag(text, caret, tag))
        return result;
    result.action = CompletionAction::CommandHelp;
    result.handler = tag.handler;
    result.content = dropHandler(text.mid(tag.o + 3), tag.handler);
    return result;
}

CompletionContext equalsCase(const QString& text, int caret) {
    CompletionContext result;
    OpenTag tag;
    if (!findOpenTag(text, caret, tag))
        return result;
    result.action = CompletionAction::ArgumentHelp;
    result.handler = tag.handler;
    result.content = dropHandler(text.mid(tag.o + 3, caret - tag.o - 4), tag.handler);
    const qsizetype colon = result.content.lastIndexOf(QLatin1Char(':'));
    result.argument = colon < 0 ? result.content : result.content.mid(colon + 1);
    return result;
}

CompletionContext hyphenCase(const QString& text, int p) {
    CompletionContext result;
    if (plainNameBefore(text, p, result.handler))
        result.action = CompletionAction::HandlerNames;
    return result;
}

CompletionContext greaterCase(const QString& text, int p) {
    CompletionContext result;
    if (p >= 5 && text.mid(p - 5, 4) == QLatin1String("</QX")) {
        result.action = CompletionAction::TagClosed;
        return result;
    }
    if (plainNameBefore(text, p, result.handler))
        result.action = CompletionAction::HandlerItems;
    return result;
}

// The word before the dot runs from the nearest space, "(" or "," on the caret's line (else from the
// line's start) to the dot. The character right before the dot is never taken as a delimiter.
CompletionContext dotCase(const QString& text, int caret, const std::function<int(int)>& lineOf) {
    CompletionContext result;
    if (caret <= 2)
        return result;
    const int caretLine = lineOf(caret);
    const auto delimiter = [&](const QString& what) {
        const int found = inStrRev(text, what, caret - 2, Qt::CaseSensitive);
        return found > 0 && lineOf(found) == caretLine ? found : 0;
    };
    int d = delimiter(QStringLiteral(" "));
    d = std::max(d, delimiter(QStringLiteral("(")));
    d = std::max(d, delimiter(QStringLiteral(",")));
    if (d == 0)
        d = delimiter(QStringLiteral("\n"));
    if (d == 0 && caretLine != 0)
        return result;
    result.action = CompletionAction::ObjectMembers;
    result.word = text.mid(d, caret - d - 1);
    return result;
}

// The whole-text resolution as it stood before it read only near the caret, kept as the reference.
CompletionContext referenceResolve(const QString& text, int selStart, bool explicitRequest,
                                   const std::function<int(int pos)>& lineOf) {
    const int caret = std::min<int>(selStart, int(text.size()));
    if (caret < 1)
        return {};
    int p = caret;
    QChar c = charAt(text, p);
    if (explicitRequest) {
        while (isBlank(c)) {
            if (--p < 1)
                return {};
            c = charAt(text, p);
        }
    }
    if (caret < 4)
        return {};
    switch (c.unicode()) {
    case u':':
        return colonCase(text, caret);
    case u'=':
        return equalsCase(text, caret);
    case u'-':
        return hyphenCase(text, p);
    case u'>':
        return greaterCase(text, p);
    case u'.':
        return dotCase(text, caret, lineOf);
    default:
        return {};
    }
}

// What the trigger acts on: a context without an action carries nothing it uses.
QString describe(const CompletionContext& context) {
    if (context.action == CompletionAction::None)
        return QStringLiteral("none");
    // The content may run to the end of the text: its start, length and hash stand for it.
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
        .arg(int(context.action))
        .arg(context.rewriteOpener)
        .arg(context.handler, context.content.left(80), context.argument, context.word)
        .arg(context.content.size())
        .arg(qHash(context.content));
}

// A box whose edits keep the index of tags in step, as the controller's Edited does.
class TaggedBox final : public CodeBoxEvents {
public:
    TaggedBox() { setEvents(box, this); }
    ~TaggedBox() override { setEvents(box, nullptr); }
    void Edited(int position, const QString& removed, int added) override {
        tags.Edited(box, position, int(removed.size()), added);
    }

    MemoryCodeBox box;
    TagIndex tags;
};

class CompletionDifferentialTest : public ::testing::Test {
protected:
    QRandomGenerator random{5};

    int pick(int bound) { return int(random.bounded(qMax(bound, 1))); }

    QString piece(const QString& source) {
        static const QStringList pieces = {"<QX:", "<qX:", "</QX>", "</qx>", "<QX:db>", ">",    ":",
                                           "=",    "-",    ".",     " ",     "(",       ",",    "\r\n",
                                           "\n",   "\r",   "x",     "",      "</QX",    "tag.", "  "};
        if (pick(3) == 0)
            return source.mid(pick(int(source.size())), pick(80));
        return pieces[pick(int(pieces.size()))];
    }

    void check(TaggedBox& tagged, int caret, bool explicitRequest) {
        MemoryCodeBox& box = tagged.box;
        const QString text = box.Text();
        const auto lineOf = [&box](int pos) { return box.GetLineFromChar(pos); };
        const CompletionContext expected = referenceResolve(text, caret, explicitRequest, lineOf);
        const CompletionContext actual =
            ResolveCompletion(BoxCompletionText(box, tagged.tags), caret, explicitRequest);
        ASSERT_EQ(describe(actual), describe(expected))
            << "caret " << caret << (explicitRequest ? " (Ctrl+Space)" : "") << " after \""
            << text.mid(qMax(0, caret - 40), qMin(caret, 40)).toStdString() << "\"";
    }

    // Carets after the characters that ask for something, around the edit and anywhere.
    void checkAround(TaggedBox& tagged, int from, int to) {
        const QString text = tagged.box.Text();
        for (int caret = qMax(from, 0); caret <= qMin(to, int(text.size())); ++caret) {
            const QChar before = caret > 0 ? text[caret - 1] : QChar();
            if (QStringView(u":=->. \r\n").contains(before))
                check(tagged, caret, before == u' ' || before == u'\r' || before == u'\n');
        }
    }

    void run(const QString& source, int edits) {
        TaggedBox tagged;
        tagged.box.setText(source);
        for (int round = 0; round < edits; ++round) {
            const int length = tagged.box.TextLength();
            const int position = pick(length + 1);
            const QString inserted = piece(source);
            tagged.box.SelectRange(position, qMin(length, position + pick(9)));
            tagged.box.setSelText(inserted);
            checkAround(tagged, position - 12, position + int(inserted.size()) + 12);
            for (int i = 0; i < 3; ++i) {
                const int at = pick(tagged.box.TextLength());
                checkAround(tagged, at, at + 40);
            }
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_F(CompletionDifferentialTest, DecidesAsTheWholeTextDoesOnCorpusFiles) {
    const QStringList texts = test::corpusTexts(8);
    if (texts.isEmpty())
        GTEST_SKIP() << "no corpus at " << QX_CORPUS_DIR;
    for (const QString& text : texts) {
        run(text, 30);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(CompletionDifferentialTest, DecidesAsTheWholeTextDoesOnGeneratedTexts) {
    int found = 0;
    for (const char* name : {"tag_1mb.qx", "script_1mb.vbs"}) {
        const QString text = test::generatedText(QLatin1String(name));
        if (text.isNull())
            continue;
        ++found;
        run(text, 15);
        if (HasFatalFailure())
            return;
    }
    if (found == 0)
        GTEST_SKIP() << "no generated texts (build the target qx_bench_texts)";
}

// The index answers as a search of the whole text would, in any letter case, after edits that make,
// split and join openers and closers.
TEST(TagIndexTest, FollowsEditsAsAFullScanWould) {
    QRandomGenerator random(3);
    const QStringList pieces = {"<QX:", "<qx:", "</QX>", "</Qx>", "<", "/", "Q", "x:", "X>", "\r\n", ""};
    TaggedBox tagged;
    tagged.box.setText("a<QX:b>c</QX>d<qx:");
    for (int round = 0; round < 400; ++round) {
        const int length = tagged.box.TextLength();
        const int position = int(random.bounded(length + 1));
        tagged.box.SelectRange(position, qMin(length, position + int(random.bounded(8))));
        tagged.box.setSelText(pieces[int(random.bounded(int(pieces.size())))]);
        const QString text = tagged.box.Text();
        for (int end = 0; end <= text.size(); ++end) {
            const auto last = [&](const char* what) {
                const qsizetype from = end - qsizetype(qstrlen(what));
                return from < 0 ? -1 : int(text.lastIndexOf(QLatin1String(what), from, Qt::CaseInsensitive));
            };
            ASSERT_EQ(tagged.tags.LastOpener(tagged.box, end), last("<QX:")) << "round " << round;
            ASSERT_EQ(tagged.tags.LastCloser(tagged.box, end), last("</QX>")) << "round " << round;
            ASSERT_EQ(tagged.tags.NextCloser(tagged.box, end),
                      int(text.indexOf(QLatin1String("</QX>"), end, Qt::CaseInsensitive)))
                << "round " << round;
        }
    }
}

} // namespace
} // namespace qx
