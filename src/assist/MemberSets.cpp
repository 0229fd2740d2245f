#include "assist/MemberSets.h"

#include "assist/HostObjectCatalogue.h"
#include "hostlib/HostPath.h"
#include "hostlib/Library.h"
#include "hostlib/Properties.h"

namespace qx {

namespace {

struct WordRow {
    const char* word;
    const char* key;
};

// Typed words (in lower case) and the catalogue each selects; the first match wins.
constexpr WordRow kWordTable[] = {
    {"tag", "tag"},
    {"library", "library"},
    {"web.library", "library"},
    {"database.library", "library"},
    {"web.database.library", "library"},
    {"oproperties", "properties"},
    {"tag.properties", "properties"},
    {"tag.variables", "properties"},
    {"result", "result"},
    {"rs", "result"},
    {"oresult", "result"},
    {"database", "database"},
    {"web", "web"},
    {"webpage", "webpage"},
    {"html", "html"},
    {"web.html", "html"},
    {"itemaccount", "itemaccount"},
    {"oobjectitem", "itemaccount"},
    {"wfprocess.processitemobject", "itemaccount"},
    {"wfjob", "wfjob"},
    {"owfjob", "wfjob"},
    {"ojob", "wfjob"},
    {"wfprocess", "wfprocess"},
    {"owfprocess", "wfprocess"},
    {"oprocess", "wfprocess"},
    {"osearchprofile", "searchprofile"},
};

// Item variables are named "oi" and a capital: "oiTask", "oiDocument", and "oi" alone.
bool isItemVariable(const QString& word) {
    if (!word.startsWith(QLatin1String("oi")))
        return false;
    if (word.size() == 2)
        return true;
    const QString third = word.mid(2, 1);
    return third.toUpper() == third;
}

// A word can name a member file only when it cannot leave the folder or break the name.
bool isFileNameWord(const QString& word) {
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            return false;
    }
    return true;
}

} // namespace

QString TrimSpaces(const QString& word) {
    qsizetype start = 0;
    qsizetype end = word.size();
    while (start < end && word.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && word.at(end - 1) == QLatin1Char(' '))
        --end;
    return word.mid(start, end - start);
}

MemberSets::MemberSets() = default;
MemberSets::~MemberSets() = default;

QString MemberSets::CatalogueKeyFor(const QString& word) {
    const QString lower = word.toLower();
    for (const WordRow& row : kWordTable) {
        if (lower == QLatin1String(row.word))
            return QLatin1String(row.key);
    }
    return isItemVariable(word) ? QStringLiteral("itemaccount") : QString();
}

QString MemberSets::MemberFilePath(const QString& word) {
    if (!isFileNameWord(word))
        return {};
    return hostPath(Library::instance().SpecialFolderPath(Library::CommonProgramFilesFolder) +
                    QLatin1String("\\Kelvane\\TagHandler\\VBFunctions\\") + word + QLatin1String(".tag"));
}

Properties* MemberSets::Resolve(const QString& typed) {
    if (!mpcMemberSets)
        mpcMemberSets = std::make_unique<Properties>();
    const QString word = TrimSpaces(typed);
    if (Property* cached = mpcMemberSets->Item(word))
        return &cached->SubProperties();
    if (Properties* fromFile = fromMemberFile(word))
        return fromFile;
    const QString key = CatalogueKeyFor(word);
    return key.isEmpty() ? nullptr : HostObjectCatalogue::Build(*mpcMemberSets, key);
}

Properties* MemberSets::fromMemberFile(const QString& word) {
    const QString path = MemberFilePath(word);
    if (path.isEmpty() || !Library::instance().FileExists(path))
        return nullptr;
    Properties& set = mpcMemberSets->Add(word, QString())->SubProperties();
    set.LoadFromFile(path, QString());
    return &set;
}

} // namespace qx
