#include "drawing_loader.h"

#include <QFile>
#include <QThread>

#include <algorithm>

namespace rovena::preview {

DrawingLoader::DrawingLoader(QObject *parent) : QObject(parent) {}

DrawingLoader::~DrawingLoader() {
    cancel();
    for (QThread *thread : threads_) {
        thread->wait();
        delete thread;
    }
}

LoadedDrawing DrawingLoader::loadNow(const QString &path, const DxfReadControl &control) {
    LoadedDrawing loaded;
    loaded.path = path;
    DxfReadResult result = readDxfFileFast(QFile::encodeName(path).toStdString(), control);
    loaded.status = result.status;
    // A drawing cut short still shows what it holds; anything else shows nothing.
    if (result.ok() || result.status == DxfReadStatus::truncated)
        loaded.geometry = PreviewGeometry::build(std::move(result.drawing));
    return loaded;
}

void DrawingLoader::load(const QString &path) {
    cancel();
    auto job = std::make_shared<Job>();
    current_ = job;
    QThread *thread = QThread::create([this, job, path] { runJob(job, path); });
    threads_.push_back(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        threads_.erase(std::remove(threads_.begin(), threads_.end(), thread), threads_.end());
        thread->deleteLater();
    });
    thread->start();
}

void DrawingLoader::cancel() {
    if (current_) current_->cancel = true;
    current_.reset();
}

// On the worker thread: reads and posts progress and result to this object's
// thread, where they are dropped when a newer request replaced the job.
void DrawingLoader::runJob(const std::shared_ptr<Job> &job, const QString &path) {
    DxfReadControl control;
    control.cancel = &job->cancel;
    control.progress = [this, job](std::uint64_t done, std::uint64_t total) {
        QMetaObject::invokeMethod(
            this,
            [this, job, done, total] {
                if (job == current_) emit progress(static_cast<qint64>(done), static_cast<qint64>(total));
            },
            Qt::QueuedConnection);
    };
    LoadedDrawing loaded = loadNow(path, control);
    QMetaObject::invokeMethod(
        this,
        [this, job, loaded = std::move(loaded)] {
            if (job != current_) return;
            current_.reset();
            emit finished(loaded);
        },
        Qt::QueuedConnection);
}

}  // namespace rovena::preview
