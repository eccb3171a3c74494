#pragma once

#include "settingsstore.h"

// A real store whose writes can be made to fail, as they do on a full disk or a read-only
// settings folder.
class RefusingStore final : public SettingsStore {
public:
    explicit RefusingStore(SettingsStore& inner) : inner_(inner) {}

    QString get(const QString& key, const QString& fallback = QString()) const override
    {
        return inner_.get(key, fallback);
    }
    bool saveAll(const Values& values) override { return !refuseWrites && inner_.saveAll(values); }
    bool removeAll(const QStringList& keys) override
    {
        return !refuseWrites && inner_.removeAll(keys);
    }

    Refusal lastRefusal() const override
    {
        return refuseWrites ? Refusal::ReadOnly : inner_.lastRefusal();
    }

    bool refuseWrites = false;

private:
    SettingsStore& inner_;
};
