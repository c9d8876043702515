// A movie file or converter whose user-interface hooks record every call in order, for tests that assert the
// exact sequence of progress, status and cancel questions.
#pragma once

#include <string>
#include <vector>

template <class TBase>
class CRecordingHooks : public TBase {
public:
    // Answers "cancelled" from the nCancelAt-th question on; 0 never cancels.
    explicit CRecordingHooks(int nCancelAt = 0) : m_nCancelAt(nCancelAt) {}
    bool UI_IsCancelled() override {
        m_calls.push_back("cancelled?");
        return m_nCancelAt != 0 && ++m_nQuestions >= m_nCancelAt;
    }
    void UI_Status(const char* szText) override { m_calls.push_back(std::string("status ") + szText); }
    void UI_SetRange(uint32_t dwTotal) override { m_calls.push_back("range " + std::to_string(dwTotal)); }
    void UI_SetPosition(uint32_t dwDone) override { m_calls.push_back("position " + std::to_string(dwDone)); }
    std::vector<std::string> m_calls;

private:
    int m_nCancelAt;
    int m_nQuestions = 0;
};
