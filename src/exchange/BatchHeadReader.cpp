#include "exchange/BatchHeadReader.h"

#include <QtGlobal>

#include <array>
#include <cerrno>
#include <liburing.h>
#include <sys/stat.h>
#include <vector>

// Each file takes a slot of the ring's file table: a statx, then for a regular file one
// chain of three requests, open into the slot, read, close. A file that fails in the
// chain is read again one by one, which knows every way round (O_NOATIME refused to a
// file of another owner, and so on).
class BatchHeadReader::Ring
{
public:
    static std::unique_ptr<Ring> Open()
    {
        std::unique_ptr<Ring> ring(new Ring);
        if (io_uring_queue_init(kEntries, &ring->m_ring, 0) != 0)
            return nullptr;
        ring->m_ready = true;
        if (io_uring_register_files_sparse(&ring->m_ring, kSlots) != 0)
            return nullptr;
        return ring;
    }
    ~Ring()
    {
        if (m_ready)
            io_uring_queue_exit(&m_ring);
    }

    int Retries = 0;

    void Read(int folderFd, std::span<Item> items, qint64 limit)
    {
        m_folderFd = folderFd;
        m_limit = limit;
        for (Item& item : items) {
            while (m_free.empty()) // a slot is free only once its whole chain has ended
                reap();
            stat(item, m_free.back());
            m_free.pop_back();
        }
        while (m_free.size() < kSlots)
            reap();
    }

private:
    static constexpr unsigned kSlots = 32;
    static constexpr unsigned kEntries = 4 * kSlots; // three requests a slot at most
    enum Op : unsigned
    {
        StatOp,
        OpenOp,
        ReadOp,
        CloseOp,
        OpCount
    };

    struct Slot
    {
        Item* File = nullptr;
        struct statx Stat;
        int Pending = 0;
        bool Failed = false;
    };

    Ring()
    {
        for (unsigned slot = 0; slot < kSlots; ++slot)
            m_free.push_back(slot);
    }

    io_uring_sqe* request(unsigned slot, Op op)
    {
        io_uring_sqe* sqe = io_uring_get_sqe(&m_ring);
        Q_ASSERT(sqe); // kEntries covers every slot's chain
        io_uring_sqe_set_data64(sqe, slot * OpCount + op);
        return sqe;
    }

    // The type first: a pipe or a device is never opened.
    void stat(Item& item, unsigned slot)
    {
        Slot& state = m_slots[slot];
        state.File = &item;
        state.Pending = 1;
        io_uring_prep_statx(request(slot, StatOp), m_folderFd, item.Name.constData(), 0,
                            STATX_BASIC_STATS | STATX_BTIME, &state.Stat);
    }

    void stated(unsigned slot, int result)
    {
        Item& item = *m_slots[slot].File;
        if (result < 0) {
            item.Error = -result;
            return;
        }
        const struct statx& st = m_slots[slot].Stat;
        QuietFileSystem::Head& head = item.Head;
        head.Details = FileSystemService::DetailsOf(st, item.Name.startsWith('.'));
        head.Plain = S_ISREG(st.stx_mode);
        if (!head.Plain)
            return;
        head.Bytes.resize(qMin<qint64>(m_limit + 1, static_cast<qint64>(st.stx_size) + 1));
        start(item, slot);
    }

    void start(Item& item, unsigned slot)
    {
        m_slots[slot].Pending += 3;
        io_uring_sqe* open = request(slot, OpenOp);
        // A descriptor in the ring's table belongs to no exec: O_CLOEXEC is refused there.
        io_uring_prep_openat_direct(open, m_folderFd, item.Name.constData(),
                                    QuietFileSystem::OpenFlags & ~O_CLOEXEC, 0, slot);
        open->flags |= IOSQE_IO_LINK; // no open, no read
        QByteArray& bytes = item.Head.Bytes;
        io_uring_sqe* read = request(slot, ReadOp);
        io_uring_prep_read(read, static_cast<int>(slot), bytes.data(),
                           static_cast<unsigned>(bytes.size()), 0);
        read->flags |= IOSQE_FIXED_FILE | IOSQE_IO_HARDLINK; // a short read still closes
        io_uring_prep_close_direct(request(slot, CloseOp), slot);
    }

    // Waits for at least one request to end and settles every one that has.
    void reap()
    {
        int result = 0;
        do
            result = io_uring_submit_and_wait(&m_ring, 1);
        while (result == -EINTR || result == -EAGAIN);
        if (result < 0)
            qFatal("io_uring_submit_and_wait: %s", strerror(-result));
        io_uring_cqe* cqe = nullptr;
        unsigned head = 0;
        unsigned seen = 0;
        io_uring_for_each_cqe(&m_ring, head, cqe)
        {
            ++seen;
            const unsigned slot = static_cast<unsigned>(cqe->user_data / OpCount);
            Slot& state = m_slots[slot];
            switch (cqe->user_data % OpCount) {
            case StatOp:
                stated(slot, cqe->res);
                break;
            case OpenOp:
                state.Failed |= cqe->res < 0;
                break;
            case ReadOp:
                if (cqe->res < 0)
                    state.Failed = true;
                else
                    state.File->Head.Bytes.truncate(cqe->res);
                break;
            default:
                break; // a failed close changes nothing read
            }
            if (--state.Pending == 0)
                settle(slot);
        }
        io_uring_cq_advance(&m_ring, seen);
    }

    void settle(unsigned slot)
    {
        Slot& state = m_slots[slot];
        if (state.Failed) {
            ++Retries;
            Item& item = *state.File;
            item.Head = {};
            item.Error = QuietFileSystem::ReadHeadAndDetailsAt(m_folderFd, item.Name.constData(),
                                                               m_limit, item.Head);
        }
        state = {};
        m_free.push_back(slot);
    }

    io_uring m_ring{};
    bool m_ready = false;
    std::array<Slot, kSlots> m_slots;
    std::vector<unsigned> m_free;
    int m_folderFd = -1;
    qint64 m_limit = 0;
};

BatchHeadReader::BatchHeadReader(Mode mode) : m_ring(mode == Mode::Batched ? Ring::Open() : nullptr)
{
}

BatchHeadReader::~BatchHeadReader() = default;

int BatchHeadReader::Retries() const
{
    return m_ring ? m_ring->Retries : 0;
}

void BatchHeadReader::Read(int folderFd, std::span<Item> items, qint64 limit)
{
    if (m_ring) {
        m_ring->Read(folderFd, items, limit);
        return;
    }
    for (Item& item : items)
        item.Error = QuietFileSystem::ReadHeadAndDetailsAt(folderFd, item.Name.constData(), limit,
                                                           item.Head);
}
