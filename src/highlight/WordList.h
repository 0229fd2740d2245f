#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// A colon-framed word list such as ":DIM:SUB:" ready for fast lookups. A word is in the list when the text
// holds ":" + word + ":", which for a word without colons means: it is one of the pieces between two colons.
// Lists are parsed once per distinct text and shared, so building the same list again costs one comparison.
class WordList {
public:
    WordList();
    explicit WordList(const QString& colonText);

    // upperWord: the word in upper case (ASCII), as the processors keep it.
    bool contains(std::string_view upperWord) const {
        const Words& w = *mWords;
        if (upperWord.size() > w.longest || upperWord.empty())
            return false;
        const std::uint32_t hash = hashOf(upperWord);
        for (std::uint32_t i = hash & w.mask;; i = (i + 1) & w.mask) {
            const Slot& slot = w.slots[i];
            if (slot.word.empty())
                return false;
            if (slot.hash == hash && slot.word == upperWord)
                return true;
        }
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::string word; // empty: a free slot
    };
    // Open addressing, at most half full, so that a miss ends at a free slot after a probe or two.
    struct Words {
        std::vector<Slot> slots;
        std::uint32_t mask = 0;
        size_t longest = 0;
    };

    static std::uint32_t hashOf(std::string_view s) {
        std::uint32_t h = 2166136261u; // FNV-1a: words are short, so a byte loop beats anything cleverer
        for (char c : s)
            h = (h ^ std::uint8_t(c)) * 16777619u;
        return h;
    }
    static std::shared_ptr<const Words> parse(const QString& colonText);
    static std::shared_ptr<const Words> build(const std::vector<std::string>& words);

    std::shared_ptr<const Words> mWords;
};

} // namespace qx
