#pragma once

#include <QString>
#include <QStringList>

namespace qx {

class Properties;

// The built-in catalogue of the host's script objects: for each object key, the names of its members, as
// the member list offers them after a dot. Fixed data; nothing is read from the host.
class HostObjectCatalogue {
public:
    // "tag", "properties", "library", "webpage", "result", "database", "web", "html", "itemaccount",
    // "wfjob", "wfprocess", "searchprofile".
    static const QStringList& Keys();
    // A catalogue's member names in order; empty for a key that is not one of the above (exact case).
    static QStringList Members(const QString& key);
    // Builds a catalogue into the member-set cache: adds an item named by the key, valued with the empty
    // text, whose SubProperties receive one item per member name valued 0, and returns that fresh set.
    // Every call adds a new item. An unknown key adds nothing and gives nullptr.
    static Properties* Build(Properties& memberSets, const QString& key);
};

} // namespace qx
