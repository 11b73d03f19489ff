// The history text: splitting any text as the field restores it and joining
// the pieces again, and joining any field state and splitting it again.
#include "compare/HistoryText.h"
#include "FuzzRef.h"

#include <stdint.h>

typedef std::vector<std::string> Pieces;

static Pieces Split(const std::string& text, const LeadByteTable& t)
{
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    memcpy(exact.get(), text.data(), text.size());
    Pieces pieces;
    HistoryReader reader(exact.get(), (int)text.size(), t);
    const char* piece;
    int len;
    while (reader.Next(piece, len)) {
        FUZZ_CHECK(len >= 0 && piece >= exact.get() && piece + len <= exact.get() + text.size());
        pieces.push_back(std::string(piece, (size_t)len));
    }
    return pieces;
}

static std::string Join(const Pieces& pieces)
{
    CString history;
    if (!pieces.empty())
        history = CString(pieces[0].data(), (int)pieces[0].size());
    for (size_t i = 1; i < pieces.size(); i++)
        AppendHistoryEntry(history, pieces[i].data(), (int)pieces[i].size());
    return std::string((const char*)history, (size_t)history.GetLength());
}

// The field's state after a restore: no piece at all leaves the text empty.
static Pieces Restored(Pieces pieces)
{
    if (pieces.empty())
        pieces.push_back(std::string());
    return pieces;
}

// A piece as a field can hold it: no separator character in it and, unless
// it is the last piece, no lead byte standing alone at its end (it would take
// the separator after it as its second byte).
static std::string Representable(const std::string& piece, bool last, const LeadByteTable& t)
{
    std::vector<bool> st = ref::CharStarts(piece, t);
    std::string out;
    for (size_t i = 0; i < piece.size(); i++)
        if (!(piece[i] == '|' && ref::SingleChar(piece, st, i)))
            out += piece[i];
    if (!last && !out.empty()) {
        std::vector<bool> so = ref::CharStarts(out, t);
        if (t.IsLead((unsigned char)out.back()) && so[out.size() - 1])
            out.erase(out.size() - 1);
    }
    return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LeadByteTable& t = PickTable(size ? data[0] : 0);
    const std::string raw((const char*)data + (size ? 1 : 0), size ? size - 1 : 0);

    // 1. Any text: no piece holds a separator character or, unless it is
    //    the last, ends in a lead byte standing alone (which would have taken
    //    the separator after it), and joining the pieces gives the text back,
    //    less a separator at its very end. Only one split of the text does
    //    all that.
    {
        Pieces pieces = Split(raw, t);
        for (size_t i = 0; i < pieces.size(); i++)
            FUZZ_CHECK(Representable(pieces[i], i + 1 == pieces.size(), t) == pieces[i]);
        std::string joined = Join(pieces);
        bool endsInSeparator = !raw.empty() && raw.back() == '|' && ref::CharStarts(raw, t)[raw.size() - 1];
        FUZZ_CHECK(joined + (endsInSeparator ? "|" : "") == raw);
    }

    // 2. Any field state (the fields of the input, split at zero bytes: the
    //    text, then the list), made representable: join, split, and the same
    //    state comes back; only an empty last list entry is lost.
    {
        Pieces state;
        const unsigned char* p = data + (size ? 1 : 0);
        const unsigned char* end = data + size;
        const unsigned char* start = p;
        for (;; p++) {
            if (p == end || *p == 0) {
                state.push_back(std::string((const char*)start, (size_t)(p - start)));
                if (p == end)
                    break;
                start = p + 1;
            }
        }
        for (size_t i = 0; i < state.size(); i++)
            state[i] = Representable(state[i], i + 1 == state.size(), t);

        Pieces expected = state;
        if (expected.size() > 1 && expected.back().empty())
            expected.pop_back();
        FUZZ_CHECK(Restored(Split(Join(state), t)) == expected);
    }
    return 0;
}
