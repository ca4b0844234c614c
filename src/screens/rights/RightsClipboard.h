#pragma once

// 复制权限 and 粘贴权限: a holder's rights (the six flags on each function and
// the policies on restricted resources) copied from the working copy, and what
// pasting them onto another holder would change. Pasting makes the other
// holder's rights the same: what the copied holder has not is taken away.

#include <map>

#include <QStringList>

#include "store/StoreRecord.h"

class RightsWork;

class RightsClipboard {
public:
    void Copy(const RightsWork& work, qint64 holder);
    bool Empty() const { return source_ == 0; }
    qint64 Source() const { return source_; }
    // One line per function or resource that would change ("材料计划: 审核 on,
    // 策略 off"); empty when the target's rights are already these.
    QStringList Differences(const RightsWork& work, qint64 target) const;
    void Apply(RightsWork& work, qint64 target) const;

private:
    qint64 source_ = 0;
    std::map<qint64, QVariantList> functions_; // function → its six flags
    std::map<qint64, QVariantList> resources_; // resource → its three flags
};
