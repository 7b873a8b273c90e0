#pragma once

#include <cstdint>
#include <random>
#include <string>

// Builds the bytes of a deck of `pairs` pairs whose texts average about `pairChars`
// characters, with markup of every kind, and a setup data file with status lines.
namespace cardwise::bench {

struct GeneratedDeck {
    std::string qaBytes;
    std::string setupBytes;
};

inline std::string filler(std::mt19937& rng, std::size_t chars) {
    static const char* words[] = {"river", "mountain", "capital", "element", "verb",
                                  "island", "ocean", "theorem", "planet", "history"};
    std::string out;
    while (out.size() < chars) {
        out += words[rng() % 10];
        out += (rng() % 7 == 0) ? "^" : " ";
    }
    out.resize(chars);
    return out;
}

inline GeneratedDeck generateDeck(int pairs, std::size_t pairChars, std::int32_t today) {
    std::mt19937 rng(42);
    GeneratedDeck deck;
    deck.qaBytes = "[Cardwise]\r\n";
    std::size_t side = pairChars > 60 ? (pairChars - 40) / 2 : 10;
    for (int n = 1; n <= pairs; ++n) {
        std::string num = std::to_string(n);
        std::string q, a;
        switch (n % 4) {
            case 0:
                q = "<NAM>Geo<HC1>a hint%" + filler(rng, side - 20);
                a = "<HC1>a comment%" + filler(rng, side - 15);
                break;
            case 1:
                q = "<MC1>one<MC2>two<MC3>three%" + filler(rng, side - 30);
                a = "<FIB>2%" + filler(rng, side - 10);
                break;
            case 2:
                q = "<FIB>x%" + filler(rng, side - 10);
                a = "<MC1>Paris<MC2>paris%" + filler(rng, side - 25);
                break;
            default:
                q = filler(rng, side);
                a = filler(rng, side);
        }
        deck.qaBytes += "Q" + num + "=" + q + "\r\nA" + num + "=" + a + "\r\n";
    }
    deck.setupBytes = "[CARDWISE]\r\nNoPriority=  1\r\nLastDayUsed=" + std::to_string(today) + "\r\n";
    for (int n = 1; n <= pairs; ++n) {
        deck.setupBytes += "Q&A" + std::to_string(n) + "=" + std::to_string(today) + " 1    3 0 1001\r\n";
    }
    return deck;
}

}  // namespace cardwise::bench
