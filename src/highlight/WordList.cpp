#include "highlight/WordList.h"

#include <algorithm>
#include <array>
#include <bit>

namespace qx {

namespace {

// The words a processor can look up are ASCII; a piece with any other character can never match.
bool isAscii(QStringView piece) {
    return std::all_of(piece.begin(), piece.end(), [](QChar c) { return c.unicode() <= 0x7F; });
}

// The pieces between two colons; the text before the first colon and after the last one is not framed.
std::vector<std::string> framedPieces(QStringView text) {
    std::vector<std::string> pieces;
    qsizetype open = text.indexOf(QLatin1Char(':'));
    while (open >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char(':'), open + 1);
        if (close < 0)
            break;
        const QStringView piece = text.mid(open + 1, close - open - 1);
        if (!piece.isEmpty() && isAscii(piece))
            pieces.push_back(piece.toLatin1().toStdString());
        open = close;
    }
    return pieces;
}

} // namespace

WordList::WordList()
    : mWords(parse(QString())) {}

WordList::WordList(const QString& colonText)
    : mWords(parse(colonText)) {}

std::shared_ptr<const WordList::Words> WordList::build(const std::vector<std::string>& words) {
    auto table = std::make_shared<Words>();
    const size_t size = std::max<size_t>(16, std::bit_ceil(words.size() * 2));
    table->slots.resize(size);
    table->mask = std::uint32_t(size - 1);
    for (const std::string& word : words) {
        const std::uint32_t hash = hashOf(word);
        std::uint32_t i = hash & table->mask;
        while (!table->slots[i].word.empty() && table->slots[i].word != word)
            i = (i + 1) & table->mask;
        table->slots[i] = {hash, word};
        table->longest = std::max(table->longest, word.size());
    }
    return table;
}

std::shared_ptr<const WordList::Words> WordList::parse(const QString& colonText) {
    // Every processor builds the same few lists; remember the last ones so that a new processor (one per
    // pass) re-reads its settings without parsing them again.
    struct Cached {
        QString text;
        std::shared_ptr<const Words> words;
    };
    thread_local std::array<Cached, 4> cache;
    thread_local size_t nextSlot = 0;
    for (const Cached& c : cache) {
        if (c.words && c.text == colonText)
            return c.words;
    }
    auto words = build(framedPieces(colonText));
    cache[nextSlot] = {colonText, words};
    nextSlot = (nextSlot + 1) % cache.size();
    return words;
}

} // namespace qx
