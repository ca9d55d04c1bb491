// Reads drawings for the preview on a worker thread, one at a time: a new
// request stops the one still running and only the newest result is
// delivered. Progress comes as bytes read of the file's size. The result is
// an immutable PreviewGeometry, handed to the user-interface thread whole.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

#include "dxf_pair_reader.h"
#include "preview_geometry.h"

class QThread;

namespace rovena::preview {

struct LoadedDrawing {
    QString path;
    DxfReadStatus status = DxfReadStatus::failed;
    std::shared_ptr<const PreviewGeometry> geometry;  // also for a file cut short; null otherwise
};

class DrawingLoader : public QObject {
    Q_OBJECT
public:
    explicit DrawingLoader(QObject *parent = nullptr);
    // Stops the reading and waits for the worker to end.
    ~DrawingLoader() override;

    // Starts reading, replacing a reading in progress.
    void load(const QString &path);
    // Stops the reading in progress; nothing is delivered for it.
    void cancel();
    bool isLoading() const { return current_ != nullptr; }

    // Reads on the calling thread.
    static LoadedDrawing loadNow(const QString &path, const DxfReadControl &control = {});

signals:
    void progress(qint64 done, qint64 total);
    void finished(const rovena::preview::LoadedDrawing &result);

private:
    struct Job {
        std::atomic<bool> cancel{false};
    };
    void runJob(const std::shared_ptr<Job> &job, const QString &path);

    std::shared_ptr<Job> current_;
    std::vector<QThread *> threads_;
};

}  // namespace rovena::preview
