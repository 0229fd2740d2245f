#pragma once

#include <QString>

#include <memory>

namespace qx {

class Properties;

// Resolves the word typed before a dot to the member names the list offers, through the member-set cache
// `mpcMemberSets`: a set cached under the word, else the word's member file, else the built-in catalogue.
class MemberSets {
public:
    MemberSets();
    ~MemberSets();

    // The member set for a word (spaces around it are ignored), or nullptr when there is none. A member
    // file is read once and cached under the word; a catalogue is built into the cache under its key.
    // A failing member file throws LibraryError.
    Properties* Resolve(const QString& word);

    // The cache, nullptr until the first resolution.
    const Properties* Cache() const { return mpcMemberSets.get(); }

    // The catalogue that a word selects: the word table in lower case, then the "oi" rule on the word as
    // typed. Empty when it selects none.
    static QString CatalogueKeyFor(const QString& word);
    // The word's member file in the common folder: "Kelvane/TagHandler/VBFunctions/<word>.tag", with the
    // platform's separators. Empty when the word cannot name a file in that folder.
    static QString MemberFilePath(const QString& word);

private:
    Properties* fromMemberFile(const QString& word);

    std::unique_ptr<Properties> mpcMemberSets;
};

// The word without the spaces before and after it (other blanks stay, as the classic Trim leaves them).
QString TrimSpaces(const QString& word);

} // namespace qx
