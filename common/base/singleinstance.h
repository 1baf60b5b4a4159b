#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running instance per user and name. The lock lives in the user's
// runtime (or temp) folder; a lock left by a crashed instance is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name);
    ~SingleInstance();

    // True when this process now owns the name.
    bool TryAcquire();
    QString LockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
