#include "platform/ClassesView.h"

#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr QLatin1String kShell("shell");
constexpr QLatin1String kOpen("Open");
constexpr QLatin1String kCommand("command");
constexpr QLatin1String kContentType("Content Type");

// The registry's order: names compared in upper case.
QString SortKey(const QString& name) { return name.toUpper(); }

bool Same(const QString& a, QLatin1String b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QStringList CurrentDesktops()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
}

}  // namespace

ClassesView::ClassesView()
{
    Build(QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation),
          QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation), CurrentDesktops());
}

ClassesView::ClassesView(const QStringList& configDirs, const QStringList& dataDirs, const QStringList& desktops)
{
    Build(configDirs, dataDirs, desktops);
}

ClassesView::~ClassesView() = default;

void ClassesView::Build(const QStringList& configDirs, const QStringList& dataDirs, const QStringList& desktops)
{
    m_mime = std::make_unique<SharedMimeInfo>(dataDirs);
    m_apps = std::make_unique<MimeApps>(*m_mime, configDirs, dataDirs, desktops);

    QHash<QString, int> typeByName;
    for (const SharedMimeInfo::Extension& extension : m_mime->Extensions()) {
        if (extension.type.isEmpty())
            continue;
        auto found = typeByName.constFind(extension.type);
        int type = 0;
        if (found == typeByName.constEnd()) {
            type = static_cast<int>(m_fileTypes.size());
            m_fileTypes.push_back({extension.type, false, QString()});
            typeByName.insert(extension.type, type);
        } else {
            type = *found;
        }
        m_extensions.push_back({extension.name, type});
    }

    m_keys.reserve(m_extensions.size() + m_fileTypes.size());
    for (std::size_t i = 0; i < m_extensions.size(); ++i)
        m_keys.push_back({m_extensions[i].name, true, static_cast<int>(i)});
    for (std::size_t i = 0; i < m_fileTypes.size(); ++i)
        m_keys.push_back({m_fileTypes[i].mimeType, false, static_cast<int>(i)});
    std::vector<std::pair<QString, int>> order;
    order.reserve(m_keys.size());
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        order.emplace_back(SortKey(m_keys[i].name), static_cast<int>(i));
    std::sort(order.begin(), order.end());
    std::vector<Key> sorted;
    sorted.reserve(m_keys.size());
    for (const auto& [sortKey, index] : order) {
        // A name that differs only in case from one before it is the same key.
        if (m_keyByName.contains(sortKey))
            continue;
        m_keyByName.insert(sortKey, static_cast<int>(sorted.size()));
        sorted.push_back(m_keys[index]);
    }
    m_keys = std::move(sorted);
}

const QString& ClassesView::CommandOf(int fileType)
{
    FileType& type = m_fileTypes[fileType];
    if (!type.resolved) {
        type.command = m_apps->DefaultCommand(type.mimeType);
        type.resolved = true;
    }
    return type.command;
}

std::optional<ClassesView::Node> ClassesView::Find(const Node& from, const QStringList& components)
{
    Node node = from;
    for (const QString& component : components) {
        switch (node.kind) {
        case Node::Root: {
            const auto found = m_keyByName.constFind(SortKey(component));
            if (found == m_keyByName.constEnd())
                return std::nullopt;
            const Key& key = m_keys[*found];
            node = {key.isExtension ? Node::Extension : Node::FileType, key.index};
            break;
        }
        case Node::FileType:
            if (!Same(component, kShell) || !HasCommand(node.index))
                return std::nullopt;
            node.kind = Node::Shell;
            break;
        case Node::Shell:
            if (!Same(component, kOpen))
                return std::nullopt;
            node.kind = Node::Verb;
            break;
        case Node::Verb:
            if (!Same(component, kCommand))
                return std::nullopt;
            node.kind = Node::Command;
            break;
        case Node::Extension:
        case Node::Command:
            return std::nullopt;
        }
    }
    return node;
}

int ClassesView::SubKeyCount(const Node& node)
{
    switch (node.kind) {
    case Node::Root:
        return static_cast<int>(m_keys.size());
    case Node::FileType:
        return HasCommand(node.index) ? 1 : 0;
    case Node::Shell:
    case Node::Verb:
        return 1;
    case Node::Extension:
    case Node::Command:
        break;
    }
    return 0;
}

QString ClassesView::SubKeyName(const Node& node, int index)
{
    if (index < 0 || index >= SubKeyCount(node))
        return {};
    switch (node.kind) {
    case Node::Root:
        return m_keys[index].name;
    case Node::FileType:
        return QString(kShell);
    case Node::Shell:
        return QString(kOpen);
    case Node::Verb:
        return QString(kCommand);
    case Node::Extension:
    case Node::Command:
        break;
    }
    return {};
}

bool ClassesView::Value(const Node& node, const QString& name, QString& data)
{
    if (node.kind == Node::Extension && (name.isEmpty() || Same(name, kContentType))) {
        data = m_fileTypes[m_extensions[node.index].fileType].mimeType;
        return true;
    }
    if (node.kind == Node::Command && name.isEmpty() && HasCommand(node.index)) {
        data = CommandOf(node.index);
        return true;
    }
    return false;
}
