// One movie of a batch list: its full path name. Archived as class "CBatchItem", schema 0.
#pragma once

#include <string>
#include <utility>

#include "toolkit/archive.h"

class CBatchItem : public CSerial {
public:
    CBatchItem() = default;
    explicit CBatchItem(std::string sPathName) : m_sPathName(std::move(sPathName)) {}

    static const SERIALCLASS s_serialClass;

    const std::string& GetPathName() const { return m_sPathName; }

    const SERIALCLASS& GetSerialClass() const override { return s_serialClass; }
    void Store(CArchiveWriter& ar) const override;
    bool Load(CArchiveReader& ar) override;

private:
    std::string m_sPathName;
};

// The classes a batch list block may hold.
extern const SERIALCLASS* const BATCHITEM_CLASSES[1];
