#include "diagnostics/BlockPairing.h"

#include <QCoreApplication>

namespace qx {

namespace {

struct Names {
    const char* opener;
    const char* closer;
};

// Indexed by BlockPairing::Block.
constexpr Names kNames[] = {
    {"If", "End If"},
    {"Sub", "End Sub"},
    {"Function", "End Function"},
    {"Property", "End Property"},
    {"Class", "End Class"},
    {"For", "Next"},
    {"Do", "Loop"},
    {"While", "Wend"},
    {"Select Case", "End Select"},
    {"With", "End With"},
};

QString noPartner(const char* word, const char* partner) {
    return QCoreApplication::translate("Diagnostics", "\"%1\" has no matching \"%2\".")
        .arg(QLatin1String(word), QLatin1String(partner));
}

} // namespace

void BlockPairing::addLine(const ScriptLine& line, int lineStart) {
    for (const ScriptToken& t : line.tokens)
        token(t.word, lineStart + t.start, t.length);
    if (!line.continued)
        endStatement(true);
}

QList<Diagnostic> BlockPairing::finish() {
    endStatement(true);
    unclosedAbove(-1);
    return std::move(mFound);
}

void BlockPairing::token(ScriptWord word, int start, int length) {
    if (word == ScriptWord::Colon) {
        endStatement(false);
        return;
    }
    switch (mExpect) {
    case Expect::Statement:
        statementStart(word, start, length);
        return;
    case Expect::Condition:
        if (word == ScriptWord::Then)
            mExpect = Expect::AfterThen;
        return;
    case Expect::ElseIfCondition:
        if (word == ScriptWord::Then)
            mExpect = Expect::Statement;
        return;
    case Expect::AfterThen:
        // Something after Then on its line: a single-line If, whose statement starts here.
        ++mSingleLineIfs;
        statementStart(word, start, length);
        return;
    case Expect::AfterEnd:
        mExpect = Expect::Rest;
        endOf(word, start + length);
        return;
    case Expect::AfterInlineEnd:
        mExpect = Expect::Rest;
        if (word == ScriptWord::If)
            --mSingleLineIfs;
        return;
    case Expect::AfterProperty:
        mExpect = Expect::Rest;
        if (word == ScriptWord::Accessor)
            openProcedure(Block::Property, mPendingStart, start + length);
        return;
    case Expect::AfterSelect:
        mExpect = Expect::Rest;
        if (word == ScriptWord::Case)
            open(Block::Select, mPendingStart, start + length);
        return;
    case Expect::Rest:
        // Inside a statement only a single-line If's Else and End If mean anything ("Case Else" does not).
        if (mSingleLineIfs > 0 && word == ScriptWord::Else)
            mExpect = Expect::Statement;
        else if (mSingleLineIfs > 0 && word == ScriptWord::End)
            mExpect = Expect::AfterInlineEnd;
        return;
    }
}

void BlockPairing::statementStart(ScriptWord word, int start, int length) {
    const int end = start + length;
    mExpect = Expect::Rest;
    mPendingStart = start;
    mPendingEnd = end;
    switch (word) {
    case ScriptWord::Modifier: // "Public Default Function": what it modifies comes next
        mExpect = Expect::Statement;
        break;
    case ScriptWord::If:
        mExpect = Expect::Condition;
        break;
    case ScriptWord::ElseIf:
        middle(QStringLiteral("ElseIf"), start, end);
        mExpect = Expect::ElseIfCondition;
        break;
    case ScriptWord::Else:
        if (mSingleLineIfs == 0)
            middle(QStringLiteral("Else"), start, end);
        mExpect = Expect::Statement;
        break;
    case ScriptWord::End:
        mExpect = mSingleLineIfs > 0 ? Expect::AfterInlineEnd : Expect::AfterEnd;
        break;
    case ScriptWord::Sub:
        openProcedure(Block::Sub, start, end);
        break;
    case ScriptWord::Function:
        openProcedure(Block::Function, start, end);
        break;
    case ScriptWord::Property:
        mExpect = Expect::AfterProperty;
        break;
    case ScriptWord::Class:
        openClass(start, end);
        break;
    case ScriptWord::For:
        open(Block::For, start, end);
        break;
    case ScriptWord::Do:
        open(Block::Do, start, end);
        break;
    case ScriptWord::While:
        open(Block::While, start, end);
        break;
    case ScriptWord::With:
        open(Block::With, start, end);
        break;
    case ScriptWord::Select:
        mExpect = Expect::AfterSelect;
        break;
    case ScriptWord::Next:
        close(Block::For, start, end);
        break;
    case ScriptWord::Loop:
        close(Block::Do, start, end);
        break;
    case ScriptWord::Wend:
        close(Block::While, start, end);
        break;
    default:
        break;
    }
}

void BlockPairing::endStatement(bool lineEnd) {
    if (mExpect == Expect::AfterThen || (mExpect == Expect::Condition && lineEnd)) {
        // Nothing after Then: a block If. "Then :" starts a single-line If's statements. An If still
        // waiting for its Then is taken as a block too, as it is most likely being typed.
        if (lineEnd)
            open(Block::If, mPendingStart, mPendingEnd);
        else
            ++mSingleLineIfs;
    }
    mExpect = Expect::Statement;
    if (lineEnd)
        mSingleLineIfs = 0;
}

void BlockPairing::endOf(ScriptWord word, int end) {
    switch (word) {
    case ScriptWord::If:
        close(Block::If, mPendingStart, end);
        break;
    case ScriptWord::Sub:
        closeProcedure(Block::Sub, mPendingStart, end);
        break;
    case ScriptWord::Function:
        closeProcedure(Block::Function, mPendingStart, end);
        break;
    case ScriptWord::Property:
        closeProcedure(Block::Property, mPendingStart, end);
        break;
    case ScriptWord::Class:
        closeClass(mPendingStart, end);
        break;
    case ScriptWord::Select:
        close(Block::Select, mPendingStart, end);
        break;
    case ScriptWord::With:
        close(Block::With, mPendingStart, end);
        break;
    default:
        break; // End alone, or an End this language does not have
    }
}

void BlockPairing::open(Block block, int start, int end) {
    mOpen.push_back({block, start, end - start});
}

// A closer looks no further than its procedure: blocks do not reach across one.
void BlockPairing::close(Block block, int start, int end) {
    for (int i = int(mOpen.size()) - 1; i >= 0; --i) {
        const Block open = mOpen[size_t(i)].block;
        if (open == block) {
            unclosedAbove(i);
            mOpen.pop_back();
            return;
        }
        if (open == Block::Sub || open == Block::Function || open == Block::Property || open == Block::Class)
            break;
    }
    const Names& names = kNames[int(block)];
    report(start, end, noPartner(names.closer, names.opener));
}

void BlockPairing::middle(const QString& word, int start, int end) {
    for (int i = int(mOpen.size()) - 1; i >= 0; --i) {
        const Block open = mOpen[size_t(i)].block;
        if (open == Block::If) {
            unclosedAbove(i);
            return;
        }
        if (open == Block::Sub || open == Block::Function || open == Block::Property || open == Block::Class)
            break;
    }
    report(start, end, noPartner(word.toLatin1().constData(), "If"));
}

int BlockPairing::innermostProcedure() const {
    for (int i = int(mOpen.size()) - 1; i >= 0; --i) {
        const Block open = mOpen[size_t(i)].block;
        if (open == Block::Sub || open == Block::Function || open == Block::Property)
            return i;
        if (open == Block::Class)
            break;
    }
    return -1;
}

// Procedures do not nest: a new one means the open one lacks its End.
void BlockPairing::openProcedure(Block block, int start, int end) {
    if (const int procedure = innermostProcedure(); procedure >= 0)
        unclosedAbove(procedure - 1);
    open(block, start, end);
}

void BlockPairing::closeProcedure(Block block, int start, int end) {
    const int procedure = innermostProcedure();
    if (procedure < 0) {
        const Names& names = kNames[int(block)];
        report(start, end, noPartner(names.closer, names.opener));
        return;
    }
    unclosedAbove(procedure);
    const Block opened = mOpen.back().block;
    if (opened != block) {
        report(start, end,
               QCoreApplication::translate("Diagnostics", "\"%1\" closes a \"%2\"; it should be \"%3\".")
                   .arg(QLatin1String(kNames[int(block)].closer), QLatin1String(kNames[int(opened)].opener),
                        QLatin1String(kNames[int(opened)].closer)));
    }
    mOpen.pop_back();
}

// Classes do not nest and hold only procedures: a new one means everything from the open one lacks its End.
void BlockPairing::openClass(int start, int end) {
    for (int i = 0; i < int(mOpen.size()); ++i) {
        const Block open = mOpen[size_t(i)].block;
        if (open == Block::Class || open == Block::Sub || open == Block::Function ||
            open == Block::Property) {
            unclosedAbove(i - 1);
            break;
        }
    }
    open(Block::Class, start, end);
}

void BlockPairing::closeClass(int start, int end) {
    for (int i = int(mOpen.size()) - 1; i >= 0; --i) {
        if (mOpen[size_t(i)].block == Block::Class) {
            unclosedAbove(i);
            mOpen.pop_back();
            return;
        }
    }
    report(start, end, noPartner("End Class", "Class"));
}

void BlockPairing::unclosedAbove(int index) {
    while (int(mOpen.size()) > index + 1) {
        const Open& open = mOpen.back();
        const Names& names = kNames[int(open.block)];
        report(open.start, open.start + open.length, noPartner(names.opener, names.closer));
        mOpen.pop_back();
    }
}

void BlockPairing::report(int start, int end, const QString& message) {
    mFound.append(Diagnostic{start, end - start, Diagnostic::Severity::Error, message});
}

} // namespace qx
