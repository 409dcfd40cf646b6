#pragma once
// A report of a Multifile decodes each of its files in turn; the user's view
// must not notice. The keeper notes the sub-file decoded and the channel and
// profile selected when a report starts, and puts them back when it ends,
// on every path out, also when a file failed to decode or a read ran past
// the image.

#include "document/CTmDoc.h"

#include <cstdint>

namespace orlu {

class SubfileSelectionKeeper {
public:
    explicit SubfileSelectionKeeper(CTmDoc& doc);
    ~SubfileSelectionKeeper();
    SubfileSelectionKeeper(const SubfileSelectionKeeper&) = delete;
    SubfileSelectionKeeper& operator=(const SubfileSelectionKeeper&) = delete;

private:
    CTmDoc& m_Doc;
    bool m_Legacy;
    std::uint16_t m_Subfile;
    bool m_Decoded;
    int m_Channel;
    int m_Profile;
};

} // namespace orlu
