#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace qx {

class InputBox;
class MessageBox;
class Properties;
struct EditorState;

// The user's favourite snippets: the file "Kelvane/qxTagFav.dat" in the user's data folder, shared by
// every editor control of that user, and the menu items that insert them.
//
// The favourites are the state's `mpcFavourites`, one entry per favourite in file order: the name as
// entry name, the snippet text (line breaks included) as value. The collection holds what the file
// held when it was last read, followed by the favourites this control added that could not be saved.
//
// The file is never lost: it is read again just before each addition and written whole and atomically
// only when that read succeeded, so two controls do not erase each other's favourites, and a file that
// cannot be read (damaged, unreadable, of a newer format) is left byte for byte as it is. From that read
// to the save the addition holds a lock file beside it ("qxTagFav.dat.lock"), which keeps additions of
// controls in other processes out. A favourite that cannot be saved (also when the lock cannot be had)
// stays in this control and is saved with the next successful addition. An empty file, or one of blanks
// only, holds no favourites. Keys of the file that this version does not know are written back as read.
class Favourites {
    Q_DECLARE_TR_FUNCTIONS(Favourites)

public:
    // One menu item after the favourites separator.
    struct Item {
        QString name;    // as the user typed it
        QString caption; // the name for a Qt menu: "&" doubled, so it shows as typed
        QString text;    // the snippet
    };

    // What an addition did.
    struct Added {
        int position = 0; // one-based position of the new favourite in items()
        QString name;     // the name it was stored under (made unique)
        bool saved = false;
    };

    // As written; shown through tr(), in the user's language.
    static constexpr const char* InputPrompt =
        QT_TRANSLATE_NOOP("Favourites", "Enter the name to use for the favourites");
    static constexpr const char* InputTitle = QT_TRANSLATE_NOOP("Favourites", "Kelvane Tag Favourite");

    // Asks names through `input`, reports failed additions through `messages`.
    Favourites(EditorState& state, InputBox& input, MessageBox& messages);

    // The favourites file: the user's data folder followed by "/Kelvane/qxTagFav.dat".
    static QString FilePath();

    // At creation: fills the collection from the file. No file means no favourites. A file that cannot
    // be read leaves the collection empty and is only logged: the user hears of it when adding.
    void load();
    // When the menu opens: reads the file again when it changed since it was last read, so that
    // favourites added by other controls appear. True when the collection was rebuilt. A file that
    // cannot be read now leaves the collection as it was.
    bool reloadIfChanged();

    // The menu items after the separator, in collection order.
    QList<Item> items() const;
    // The snippet of favourite `position` (one-based, as the menu items count), to insert at the
    // caret; std::nullopt when there is no such favourite.
    std::optional<QString> snippet(int position) const;

    // "Add To Favourites" for the selected text: proposes a name, asks for it, and adds the favourite
    // at the end, under a name made unique with " (2)", " (3)"... Cancel adds nothing; an empty
    // answer is a name like any other. Under the file's lock, the file is read again first and then saved
    // whole; when it cannot be read or written, or the lock is not had within a few seconds, the
    // favourite is kept in this control and the user is told why.
    // The caller shows the menu items anew afterwards: other controls' additions may have come too.
    std::optional<Added> addToFavourites(const QString& selection);

    // The proposed name: the names of the first two pieces of the selection split at ":", joined by
    // ">" ("<QX:DB-QUERY>...</QX>" gives "QX>DB-QUERY").
    static QString ProposedName(const QString& selection);
    // A name as a Qt menu caption: each "&" doubled, so none becomes a mnemonic.
    static QString MenuCaption(const QString& name);

    // The file could not be read when it was last tried.
    bool fileUnreadable() const { return mUnreadable; }

private:
    enum class Read { Unchanged, Loaded, Failed };
    // Reads the file into the collection unless its bytes are those read last time (or `force`).
    Read readFile(bool force);
    // The name, or the first of "name (2)", "name (3)"... that no favourite has yet.
    QString uniqueName(const QString& name) const;
    // Puts the unsaved favourites back after the file's, making their names unique.
    void appendUnsaved();

    Properties& favourites() const;

    EditorState& mState;
    InputBox& mInput;
    MessageBox& mMessages;

    QString mPath;
    // The file's bytes when it was last read; nullopt when there was no file.
    std::optional<QByteArray> mFileBytes;
    bool mRead = false;
    bool mUnreadable = false;
    QString mReadError;
    // Favourites this control added that are not in the file yet, in order of addition.
    QList<std::pair<QString, QString>> mUnsaved;
};

} // namespace qx
