#include "viewer/TileLoader.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

namespace viewer {

namespace {

// Drops the mapped pages of [first, end) from memory; they are read again
// from the file when touched. The mapping is read-only, so nothing is lost.
void ReleasePages(const product::DataFile& file, std::int64_t first, std::int64_t end)
{
    static const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    first = std::max<std::int64_t>(0, first) / page * page;
    end = std::min(end, file.size());
    if (end <= first || !file.data())
        return;
    ::madvise(const_cast<unsigned char*>(file.data()) + first, std::size_t(end - first), MADV_DONTNEED);
}

// The bytes a window of a band reads: from its first value to its last.
std::pair<std::int64_t, std::int64_t> WindowBytes(const product::ArrayObject& array, std::int64_t band,
                                                  const product::BandWindow& window)
{
    const auto stride = [&array](int axis) { return axis >= 0 ? array.axes[std::size_t(axis)].strideBytes : 0; };
    const std::int64_t first = array.offset + band * stride(array.bandAxis) +
                               window.firstLine * stride(array.lineAxis) +
                               window.firstSample * stride(array.sampleAxis);
    const std::int64_t last = first + (window.lines - 1) * stride(array.lineAxis) +
                              (window.samples - 1) * stride(array.sampleAxis);
    return {std::min(first, last), std::max(first, last) + array.element.bytes};
}

}  // namespace

BandPicture ReadPicture(const product::ArrayReader& reader, std::int64_t band, const product::BandWindow& window)
{
    const std::vector<double> values = reader.ReadBand(band, window);
    BandPicture picture;
    picture.band = band;
    picture.step = window.step;
    picture.firstLine = window.firstLine;
    picture.firstSample = window.firstSample;
    picture.width = int(window.OutSamples());
    picture.height = int(window.OutLines());
    picture.values.assign(values.begin(), values.end());
    const auto [first, end] = WindowBytes(reader.array(), band, window);
    ReleasePages(reader.file(), first, end);
    return picture;
}

std::int64_t OverviewStep(const product::ArrayObject& array, std::int64_t size)
{
    const std::int64_t longer = std::max(array.Lines(), array.Samples());
    return std::max<std::int64_t>(1, (longer + size - 1) / size);
}

TileLoader::TileLoader(std::shared_ptr<const product::ArrayReader> reader, std::int64_t cacheBytes, QObject* parent)
    : QObject(parent),
      m_reader(std::move(reader)),
      m_overviewStep(OverviewStep(m_reader->array(), kOverviewSize)),
      m_pool(std::make_unique<QThreadPool>()),
      m_cacheLimit(cacheBytes),
      m_wantedLock(std::make_shared<std::mutex>()),
      m_wanted(std::make_shared<std::set<TileKey>>())
{
    // Tiles are made in the worker and freed in the window's thread, a
    // quarter of a megabyte each. With glibc's moving threshold they would
    // soon come from the heap and, freed, stay in the process; mapped
    // blocks of their own go back to the system at once.
    static std::once_flag tuned;
    std::call_once(tuned, [] { ::mallopt(M_MMAP_THRESHOLD, 128 * 1024); });
    // One reader: the machine's other cores are the window's and the
    // system's, and reads of one file gain little from running side by side.
    m_pool->setMaxThreadCount(1);
}

TileLoader::~TileLoader()
{
    m_pool->clear();
    m_pool->waitForDone();
}

std::shared_ptr<const Overview> TileLoader::FindOverview(std::int64_t band) const
{
    const auto found = m_overviews.find(band);
    return found == m_overviews.end() ? nullptr : found->second;
}

void TileLoader::RequestOverview(std::int64_t band)
{
    if (m_overviews.count(band) || !m_overviewsPending.insert(band).second)
        return;
    const product::ArrayObject& array = m_reader->array();
    const product::BandWindow window{0, 0, array.Lines(), array.Samples(), m_overviewStep};
    m_pool->start([this, reader = m_reader, band, window] {
        auto overview = std::make_shared<Overview>();
        QString error;
        try {
            overview->picture = ReadPicture(*reader, band, window);
            overview->summary = Summarize(overview->picture.values, SpecialValues(reader->array().specials));
        } catch (const product::Error& e) {
            error = e.message;
        }
        QMetaObject::invokeMethod(
            this,
            [this, band, overview, error] {
                m_overviewsPending.erase(band);
                if (!error.isEmpty()) {
                    emit failed(error);
                    return;
                }
                // A few bands' reduced pictures are kept (an RGB composite
                // needs three); the one read longest ago goes first.
                constexpr std::size_t kKeptOverviews = 6;
                m_overviewOrder.push_back(band);
                while (m_overviewOrder.size() > kKeptOverviews) {
                    m_overviews.erase(m_overviewOrder.front());
                    m_overviewOrder.pop_front();
                }
                m_overviews[band] = overview;
                emit overviewReady(band);
            },
            Qt::QueuedConnection);
    });
}

std::shared_ptr<const BandPicture> TileLoader::FindTile(const TileKey& key)
{
    const auto found = m_tiles.find(key);
    if (found == m_tiles.end())
        return nullptr;
    m_uses.splice(m_uses.begin(), m_uses, found->second.use);
    return found->second.tile;
}

void TileLoader::Request(const std::vector<TileKey>& wanted)
{
    {
        const std::lock_guard lock(*m_wantedLock);
        m_wanted->clear();
        m_wanted->insert(wanted.begin(), wanted.end());
    }
    const product::ArrayObject& array = m_reader->array();
    for (const TileKey& key : wanted) {
        if (m_tiles.count(key) || !m_pending.insert(key).second)
            continue;
        const std::int64_t step = std::int64_t(1) << key.level;
        const std::int64_t span = kTileSize * step;
        product::BandWindow window;
        window.firstLine = key.row * span;
        window.firstSample = key.column * span;
        window.lines = std::min(span, array.Lines() - window.firstLine);
        window.samples = std::min(span, array.Samples() - window.firstSample);
        window.step = step;
        m_pool->start([this, reader = m_reader, key, window, lock = m_wantedLock, stillWanted = m_wanted] {
            {
                const std::lock_guard guard(*lock);
                if (!stillWanted->count(key)) {
                    QMetaObject::invokeMethod(
                        this, [this, key] { m_pending.erase(key); }, Qt::QueuedConnection);
                    return;
                }
            }
            std::shared_ptr<const BandPicture> tile;
            QString error;
            try {
                tile = std::make_shared<const BandPicture>(ReadPicture(*reader, key.band, window));
            } catch (const product::Error& e) {
                error = e.message;
            }
            QMetaObject::invokeMethod(
                this,
                [this, key, tile, error] {
                    m_pending.erase(key);
                    if (!error.isEmpty())
                        emit failed(error);
                    else
                        Deliver(key, tile);
                },
                Qt::QueuedConnection);
        });
    }
}

void TileLoader::Deliver(const TileKey& key, std::shared_ptr<const BandPicture> tile)
{
    m_uses.push_front(key);
    m_cachedBytes += std::int64_t(tile->values.size() * sizeof(float));
    m_tiles[key] = CachedTile{std::move(tile), m_uses.begin()};
    Evict();
    emit tileReady();
}

void TileLoader::Evict()
{
    while (m_cachedBytes > m_cacheLimit && m_uses.size() > 1) {
        const auto found = m_tiles.find(m_uses.back());
        m_cachedBytes -= std::int64_t(found->second.tile->values.size() * sizeof(float));
        m_tiles.erase(found);
        m_uses.pop_back();
    }
}

void TileLoader::WaitIdle()
{
    m_pool->waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

}  // namespace viewer
