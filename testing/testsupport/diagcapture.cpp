#include "testing/testsupport/diagcapture.h"

#include "toolkit/diag.h"

namespace {

CDiagCapture* s_pActive = nullptr;

}  // namespace

CDiagCapture::CDiagCapture() {
    s_pActive = this;
    DIAG_SetOutputSink(&CDiagCapture::Sink);
}

CDiagCapture::~CDiagCapture() {
    DIAG_SetOutputSink(nullptr);
    s_pActive = nullptr;
}

void CDiagCapture::Sink(const char* szText) {
    if (s_pActive)
        s_pActive->m_text += szText;
}

std::vector<std::string> CDiagCapture::Lines() const {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < m_text.size()) {
        size_t end = m_text.find('\n', start);
        end = end == std::string::npos ? m_text.size() : end + 1;
        lines.push_back(m_text.substr(start, end - start));
        start = end;
    }
    return lines;
}
