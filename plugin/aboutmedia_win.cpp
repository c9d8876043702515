#include "plugin/aboutmedia_win.h"

#include <string>
#include <vector>

#include "plugin/mcistream_win.h"
#include "plugin/options_ids.h"

namespace {

const int TABSTOP = 64;  // dialog units: the names before the tab, their values after it

}  // namespace

CAboutMediaDlg::CAboutMediaDlg(CMCIStream* pStream, HWND hParent, const CNPProps::CMap& properties, bool fFullPage)
    : CDialog(WINDOW_GetInstance(), OPTIONS_IDD_ABOUTMEDIA, hParent),
      m_pStream(pStream),
      m_hParent(hParent),
      m_Properties(properties),
      m_fFullPage(fFullPage) {}

bool CAboutMediaDlg::OnInitDialog() {
    CenterOver(m_hParent);
    const HWND hList = GetDlgItem(m_hWnd, OPTIONS_IDC_MEDIALIST);
    int nTabStop = TABSTOP;
    SendMessageA(hList, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&nTabStop));
    std::vector<std::string> lines;
    if (m_pStream)
        m_pStream->GetInformation(lines);
    if (!m_fFullPage) {
        lines.push_back("<EMBED> tag properties");
        for (const auto& property : m_Properties)
            lines.push_back(property.first + "\t" + property.second);
        lines.push_back("</EMBED> tag properties");
    }
    for (const std::string& line : lines)
        SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    return true;
}
