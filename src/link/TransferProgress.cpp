#include "link/TransferProgress.h"

namespace orlu {

void TransferProgress::Begin(std::string title)
{
    {
        std::lock_guard lock(m_TextMutex);
        m_Title = std::move(title);
        m_Text.clear();
        m_TextChanged = false;
    }
    m_Total = 0;
    m_Done = 0;
    m_Received = 0;
    m_Request = 0;
    m_UsbPending = 0;
    m_Finished = false;
}

void TransferProgress::SetText(std::string text)
{
    {
        std::lock_guard lock(m_TextMutex);
        m_Text = std::move(text);
        m_TextChanged = true;
    }
    m_Done = 0;
    m_Total = 1;
    m_Received = 0;
}

TransferRequest TransferProgress::SetProgress(int total, int done)
{
    m_Total = total;
    m_Done = done;
    if (onProgress)
        onProgress(*this, total, done);
    return Requested();
}

void TransferProgress::End()
{
    m_UsbPending = 0;
    m_Finished = true;
}

bool TransferProgress::Request(TransferRequest request, bool usb)
{
    if (m_Finished.load())
        return false;
    m_Request = static_cast<int>(request);
    if (usb)
        m_UsbPending = static_cast<int>(request);
    return true;
}

std::string TransferProgress::Title() const
{
    std::lock_guard lock(m_TextMutex);
    return m_Title;
}

std::optional<std::string> TransferProgress::TakeChangedText()
{
    std::lock_guard lock(m_TextMutex);
    if (!m_TextChanged)
        return std::nullopt;
    m_TextChanged = false;
    return m_Text;
}

std::string TransferProgress::Text() const
{
    std::lock_guard lock(m_TextMutex);
    return m_Text;
}

int TransferProgress::Percent() const
{
    const unsigned total = static_cast<unsigned>(m_Total.load());
    const unsigned done = static_cast<unsigned>(m_Done.load());
    return total == 0 ? 0 : static_cast<int>(static_cast<unsigned long long>(done) * 100 / total);
}

void CancelWhenDone(TransferProgress& progress, int count, bool usb)
{
    progress.onProgress = [count, usb](TransferProgress& p, int, int done) {
        if (done >= count && p.Requested() == TransferRequest::None)
            p.Request(TransferRequest::Cancel, usb);
    };
}

} // namespace orlu
