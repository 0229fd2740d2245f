#include "favourites/Favourites.h"

#include "hostlib/HostPath.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/Logging.h"
#include "hostlib/Properties.h"
#include "platform/EditorState.h"
#include "platform/InputBox.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <chrono>

namespace qx {

namespace {

using namespace std::chrono_literals;

const QString Separator = QStringLiteral(":");

// An addition holds the lock for as long as it takes to read and write a small file. One that cannot have
// it within LockWait gives up; a lock older than StaleLock is left over from an editor that hung.
constexpr std::chrono::milliseconds LockWait = 5s;
constexpr std::chrono::milliseconds StaleLock = 15s;

// The file's bytes; nullopt when there is no file. Throws LibraryError when it cannot be read.
std::optional<QByteArray> fileBytes(const QString& path) {
    if (!Library::instance().FileExists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LibraryError(QCoreApplication::translate("Favourites", "Cannot read \"%1\": %2")
                               .arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw LibraryError(QCoreApplication::translate("Favourites", "Cannot read \"%1\": %2")
                               .arg(path, file.errorString()));
    return bytes;
}

// Takes the lock beside the favourites file at `path`, creating the folder if need be. Empty when taken,
// else why not.
QString takeLock(QLockFile& lock, const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QCoreApplication::translate("Favourites", "Cannot create the folder \"%1\"").arg(folder);
    lock.setStaleLockTime(StaleLock);
    if (lock.tryLock(LockWait))
        return QString();
    if (lock.error() == QLockFile::LockFailedError)
        return QCoreApplication::translate("Favourites",
                                           "Another editor kept it in use for more than %1 seconds.")
            .arg(std::chrono::duration_cast<std::chrono::seconds>(LockWait).count());
    return QCoreApplication::translate("Favourites", "Cannot create the lock file \"%1.lock\"").arg(path);
}

} // namespace

Favourites::Favourites(EditorState& state, InputBox& input, MessageBox& messages)
    : mState(state)
    , mInput(input)
    , mMessages(messages) {}

QString Favourites::FilePath() {
    return Library::instance().SpecialFolderPath(Library::AppDataFolder) +
           QStringLiteral("/Kelvane/qxTagFav.dat");
}

Properties& Favourites::favourites() const {
    return *mState.mpcFavourites;
}

void Favourites::load() {
    mPath = FilePath();
    readFile(true);
}

bool Favourites::reloadIfChanged() {
    if (mPath.isEmpty())
        mPath = FilePath();
    return readFile(false) == Read::Loaded;
}

Favourites::Read Favourites::readFile(bool force) {
    std::optional<QByteArray> bytes;
    Properties loaded;
    try {
        bytes = fileBytes(mPath);
        if (!force && mRead && bytes == mFileBytes)
            return mUnreadable ? Read::Failed : Read::Unchanged;
        // An empty file, or one of blanks only, holds no favourites yet; the next addition replaces it.
        if (bytes && !bytes->trimmed().isEmpty())
            loaded.LoadFromFile(mPath);
    } catch (const LibraryError& error) {
        // A file that could not even be opened is tried again next time; a damaged one only once it
        // changes.
        mRead = bytes.has_value();
        mFileBytes = bytes;
        mUnreadable = true;
        mReadError = error.message();
        qCWarning(lcEditor) << "Favourites not read:" << mReadError;
        return Read::Failed;
    }
    mRead = true;
    mFileBytes = bytes;
    mUnreadable = false;
    mReadError.clear();
    favourites() = std::move(loaded);
    appendUnsaved();
    return Read::Loaded;
}

void Favourites::appendUnsaved() {
    for (auto& [name, text] : mUnsaved) {
        name = uniqueName(name);
        favourites().Add(name, text);
    }
}

QString Favourites::uniqueName(const QString& name) const {
    if (!favourites().Item(name))
        return name;
    for (int n = 2;; ++n) {
        const QString candidate = name + QStringLiteral(" (%1)").arg(n);
        if (!favourites().Item(candidate))
            return candidate;
    }
}

QList<Favourites::Item> Favourites::items() const {
    QList<Item> list;
    list.reserve(favourites().Count());
    for (const Property& entry : favourites())
        list.append({entry.Name(), MenuCaption(entry.Name()), entry.Value().toString()});
    return list;
}

std::optional<QString> Favourites::snippet(int position) const {
    if (position < 1 || position > favourites().Count())
        return std::nullopt;
    return favourites().Item(position)->Value().toString();
}

std::optional<Favourites::Added> Favourites::addToFavourites(const QString& selection) {
    const std::optional<QString> answer =
        mInput.Ask(tr(InputPrompt), tr(InputTitle), ProposedName(selection));
    if (!answer)
        return std::nullopt;
    if (mPath.isEmpty())
        mPath = FilePath();

    Added added;
    QString problem;
    {
        // Editors in other processes add to the same file. The lock keeps them out from this read to the
        // save, so that none replaces the file with a copy that lacks another's new favourite.
        const QString path = hostPath(mPath);
        QLockFile lock(path + QStringLiteral(".lock"));
        const QString lockProblem = takeLock(lock, path);

        // Read again just before adding, so that what other controls saved meanwhile is kept.
        const bool readable = readFile(true) != Read::Failed;
        added.name = uniqueName(*answer);
        favourites().Add(added.name, selection);
        added.position = favourites().Count();

        if (!readable) {
            problem =
                tr("The favourites file could not be read, so it is left as it is.\n%1").arg(mReadError);
        } else if (!lockProblem.isEmpty()) {
            problem = tr("The favourites could not be saved to \"%1\".\n%2").arg(mPath, lockProblem);
        } else {
            try {
                favourites().SaveFile(mPath);
                added.saved = true;
            } catch (const LibraryError& error) {
                problem = tr("The favourites could not be saved to \"%1\".\n%2").arg(mPath, error.message());
            }
        }
        if (added.saved) {
            mUnsaved.clear();
            try {
                mFileBytes = fileBytes(mPath);
            } catch (const LibraryError& error) {
                qCWarning(lcEditor) << "The saved favourites could not be read back:" << error.message();
                mRead = false; // read it again when the menu next opens
            }
            return added;
        }
    } // the lock is given back before the user is told
    mUnsaved.append({added.name, selection});
    qCWarning(lcEditor) << "Favourite" << added.name << "not saved:" << problem;
    mMessages.Show(MessageBox::Icon::Exclamation, tr(InputTitle),
                   tr("The favourite \"%1\" is kept in this editor only.\n\n%2").arg(added.name, problem));
    return added;
}

QString Favourites::ProposedName(const QString& selection) {
    Properties pieces;
    pieces.SplitText(selection, Separator);
    const auto nameAt = [&](int position) {
        return position <= pieces.Count() ? pieces.Item(position)->Name() : QString();
    };
    return nameAt(1) + QLatin1Char('>') + nameAt(2);
}

QString Favourites::MenuCaption(const QString& name) {
    QString caption = name;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace qx
