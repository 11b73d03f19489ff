// The history text: splitting any text as the field restores it and joining
// the pieces again, and joining any field state and splitting it again.
#include "compare/HistoryText.h"
#include "FuzzRef.h"

#include <stdint.h>

typedef std::vector<std::wstring> Pieces;

static Pieces Split(const std::wstring& text)
{
    std::unique_ptr<wchar_t[]> exact(new wchar_t[text.size() + 1]);
    wmemcpy(exact.get(), text.data(), text.size());
    Pieces pieces;
    HistoryReader reader(exact.get(), (int)text.size());
    const wchar_t* piece;
    int len;
    while (reader.Next(piece, len)) {
        FUZZ_CHECK(len >= 0 && piece >= exact.get() && piece + len <= exact.get() + text.size());
        pieces.push_back(std::wstring(piece, (size_t)len));
    }
    return pieces;
}

static std::wstring Join(const Pieces& pieces)
{
    CString history;
    if (!pieces.empty())
        history = CString(pieces[0].data(), (int)pieces[0].size());
    for (size_t i = 1; i < pieces.size(); i++)
        AppendHistoryEntry(history, pieces[i].data(), (int)pieces[i].size());
    return Str(history);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::wstring raw = Units(std::string((const char*)data, size));

    // 1. Any text: no piece holds a separator, and joining the pieces gives
    //    the text back, less a separator at its very end.
    {
        Pieces pieces = Split(raw);
        for (const std::wstring& piece : pieces)
            FUZZ_CHECK(piece.find(L'|') == std::wstring::npos);
        bool endsInSeparator = !raw.empty() && raw.back() == L'|';
        FUZZ_CHECK(Join(pieces) + (endsInSeparator ? L"|" : L"") == raw);
    }

    // 2. Any field state (the text split at zero characters: the field's
    //    text, then the list), without separators: join, split, and the same
    //    state comes back; only an empty last list entry is lost.
    {
        Pieces state(1);
        for (wchar_t c : raw) {
            if (c == 0)
                state.push_back(std::wstring());
            else if (c != L'|')
                state.back() += c;
        }
        Pieces expected = state;
        if (expected.size() > 1 && expected.back().empty())
            expected.pop_back();
        Pieces restored = Split(Join(state));
        if (restored.empty())
            restored.push_back(std::wstring());
        FUZZ_CHECK(restored == expected);
    }
    return 0;
}
