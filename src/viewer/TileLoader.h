#pragma once
// Reads an image's pictures in a worker thread: the reduced picture of a
// band (every Nth line and sample, at most kOverviewSize on its longer
// side) and full- or part-resolution tiles of kTileSize x kTileSize values
// for what the view shows. Finished pictures come back on the window's
// thread; tiles live in a cache of a fixed size in bytes, the least
// recently drawn going first. Requests no longer wanted when their turn
// comes are dropped, so panning never queues up reads. The file's pages are
// handed back to the system after each read, so memory stays bounded by
// the cache, not by the file.

#include "product/ArrayReader.h"
#include "viewer/BandPicture.h"

#include <QHashFunctions>
#include <QObject>

#include <deque>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <set>

class QThreadPool;

namespace viewer {

inline constexpr int kTileSize = 256;
inline constexpr std::int64_t kOverviewSize = 1024;
inline constexpr std::int64_t kDefaultTileCacheBytes = std::int64_t(64) << 20;

// A tile: band, level (the step is 2^level) and its place in the grid of
// tiles of that level.
struct TileKey {
    std::int64_t band = 0;
    int level = 0;
    std::int64_t row = 0;
    std::int64_t column = 0;
    auto operator<=>(const TileKey&) const = default;
};

inline std::size_t qHash(const TileKey& key, std::size_t seed = 0)
{
    return ::qHashMulti(seed, key.band, key.level, key.row, key.column);
}

struct Overview {
    BandPicture picture;
    BandSummary summary;
};

class TileLoader : public QObject {
    Q_OBJECT
public:
    TileLoader(std::shared_ptr<const product::ArrayReader> reader, std::int64_t cacheBytes, QObject* parent = nullptr);
    ~TileLoader() override;

    const product::ArrayReader& reader() const { return *m_reader; }
    // The step of the reduced pictures: every overviewStep()th line and sample.
    std::int64_t overviewStep() const { return m_overviewStep; }

    // The reduced picture of a band; null until it has been read.
    std::shared_ptr<const Overview> FindOverview(std::int64_t band) const;
    void RequestOverview(std::int64_t band);

    // A tile from the cache (marked as recently used); null when absent.
    std::shared_ptr<const BandPicture> FindTile(const TileKey& key);
    // Replaces what is wanted: the tiles not cached nor pending are queued,
    // and pending ones no longer listed are dropped when their turn comes.
    void Request(const std::vector<TileKey>& wanted);

    std::int64_t cachedBytes() const { return m_cachedBytes; }
    std::int64_t cacheLimit() const { return m_cacheLimit; }

    // Waits until the worker has nothing left and delivers what it read.
    void WaitIdle();

signals:
    void overviewReady(qint64 band);
    void tileReady();
    void failed(const QString& message);

private:
    void Deliver(const TileKey& key, std::shared_ptr<const BandPicture> tile);
    void Evict();

    std::shared_ptr<const product::ArrayReader> m_reader;
    std::int64_t m_overviewStep = 1;
    std::unique_ptr<QThreadPool> m_pool;

    std::map<std::int64_t, std::shared_ptr<const Overview>> m_overviews;
    std::set<std::int64_t> m_overviewsPending;
    std::deque<std::int64_t> m_overviewOrder;  // bands in the order their pictures arrived

    struct CachedTile {
        std::shared_ptr<const BandPicture> tile;
        std::list<TileKey>::iterator use;
    };
    std::map<TileKey, CachedTile> m_tiles;
    std::list<TileKey> m_uses;  // most recently used first
    std::int64_t m_cachedBytes = 0;
    std::int64_t m_cacheLimit = 0;
    std::set<TileKey> m_pending;

    // Shared with the worker: which pending tiles are still wanted.
    std::shared_ptr<std::mutex> m_wantedLock;
    std::shared_ptr<std::set<TileKey>> m_wanted;
};

// Reads a window of a band as a picture, and gives the file's pages it
// touched back to the system. Throws product::Error.
BandPicture ReadPicture(const product::ArrayReader& reader, std::int64_t band, const product::BandWindow& window);

// The step that makes a band's reduced picture at most `size` on its
// longer side.
std::int64_t OverviewStep(const product::ArrayObject& array, std::int64_t size);

}  // namespace viewer
