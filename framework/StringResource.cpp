#include "StringResource.h"
#include "AfxState.h"

namespace {

// The resource's own text, not terminated, and its length; 0 when there is
// none.
int ResourceText(UINT nID, const WCHAR** ppText)
{
    *ppText = 0;
    int n = ::LoadStringW(AfxGetInstanceHandle(), nID, (LPWSTR)ppText, 0);
    return n > 0 && *ppText ? n : 0;
}

} // namespace

CString AfxLoadString(UINT nID)
{
    const WCHAR* pRes;
    int nRes = ResourceText(nID, &pRes);
    return CString(pRes, nRes);
}

void AfxFormatString2(CString& out, UINT nIDS, const WCHAR* psz1, const WCHAR* psz2)
{
    const WCHAR* pRes;
    int nRes = ResourceText(nIDS, &pRes);
    const WCHAR* inserts[2] = { psz1 ? psz1 : L"", psz2 ? psz2 : L"" };
    out.Empty();
    int start = 0;
    for (int i = 0; i + 1 < nRes; i++) {
        if (pRes[i] == L'%' && (pRes[i + 1] == L'1' || pRes[i + 1] == L'2')) {
            out.Append(pRes + start, i - start);
            out += inserts[pRes[i + 1] - L'1'];
            start = ++i + 1;
        }
    }
    out.Append(pRes + start, nRes - start);
}
