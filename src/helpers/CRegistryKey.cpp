#include "helpers/CRegistryKey.h"

#include "desktop/Associations.h"

#include <algorithm>

using platform::KeyPath;

namespace {

constexpr QLatin1String kSoftware("SOFTWARE");
constexpr QLatin1String kClasses("Classes");
constexpr QLatin1String kShell("shell");
constexpr QLatin1String kOpen("Open");
constexpr QLatin1String kCommand("command");
constexpr QLatin1String kContentType("Content Type");
// Level of SOFTWARE\Classes in the machine tree.
constexpr qsizetype kClassesLevel = 2;

bool Same(const QString& a, QLatin1String b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A key of the machine tree: above SOFTWARE\Classes, the Classes key
// itself, or one below it, with the MIME type of its extension or type.
struct ClassesNode {
    enum Kind { Above, Root, Extension, FileType, Shell, Verb, Command };
    Kind kind = Above;
    QString type;
};

}  // namespace

// The Classes key's view of the associations: its subkeys (extensions and
// MIME types), listed the first time they are asked for.
struct CRegistryKey::Classes {
    Associations associations;
    std::optional<QStringList> keys;

    const QStringList& Keys()
    {
        if (keys)
            return *keys;
        // Extensions before types, in case-insensitive order; a name that
        // differs only in case from one before it is the same key.
        QStringList names;
        for (const Associations::Extension& extension : associations.Extensions())
            names.append(extension.name);
        names += associations.Types();
        std::stable_sort(names.begin(), names.end(),
                         [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
        keys.emplace();
        for (const QString& name : names) {
            if (keys->isEmpty() || keys->last().toUpper() != name.toUpper())
                keys->append(name);
        }
        return *keys;
    }

    bool HasCommand(const QString& type) { return !associations.Command(type).isEmpty(); }

    // The node of names (below the tree's root), if that key exists.
    std::optional<ClassesNode> Find(const QStringList& names)
    {
        ClassesNode node{ClassesNode::Root, {}};
        for (const QString& name : names.mid(kClassesLevel)) {
            switch (node.kind) {
            case ClassesNode::Root:
                if (const Associations::Extension* extension = associations.FindExtension(name))
                    node = {ClassesNode::Extension, extension->mimeType};
                else if (const std::optional<QString> type = associations.FindType(name))
                    node = {ClassesNode::FileType, *type};
                else
                    return std::nullopt;
                break;
            case ClassesNode::FileType:
                if (!Same(name, kShell) || !HasCommand(node.type))
                    return std::nullopt;
                node.kind = ClassesNode::Shell;
                break;
            case ClassesNode::Shell:
                if (!Same(name, kOpen))
                    return std::nullopt;
                node.kind = ClassesNode::Verb;
                break;
            case ClassesNode::Verb:
                if (!Same(name, kCommand))
                    return std::nullopt;
                node.kind = ClassesNode::Command;
                break;
            default:
                return std::nullopt;
            }
        }
        return node;
    }
};

namespace {

// The levels above SOFTWARE\Classes exist as plain containers.
bool ExistsAboveClasses(const QStringList& names)
{
    for (qsizetype i = 0; i < std::min(names.size(), kClassesLevel); ++i) {
        if (!Same(names[i], i == 0 ? kSoftware : kClasses))
            return false;
    }
    return true;
}

}  // namespace

CRegistryKey::CRegistryKey() = default;

CRegistryKey::~CRegistryKey()
{
    if (m_hKey)
        Close();
}

bool CRegistryKey::OpenPath(const KeyPath& key, KeyAccess access, const std::shared_ptr<Classes>& classes)
{
    const bool writable = access == KEY_WRITE;
    std::unique_ptr<platform::SettingsStore> store;
    std::shared_ptr<Classes> view;
    if (key.tree == KeyPath::User) {
        store = std::make_unique<platform::SettingsStore>();
        if (!store->Open(key.names, writable))
            return false;
    } else if (key.tree == KeyPath::Machine) {
        if (writable || !ExistsAboveClasses(key.names))
            return false;
        // The view is built once for a key opened at or below
        // SOFTWARE\Classes and shared by every key opened from it.
        if (key.names.size() >= kClassesLevel)
            view = classes ? classes : std::make_shared<Classes>();
        if (view && !view->Find(key.names))
            return false;
    }
    if (m_hKey)
        Close();
    m_hKey = key;
    m_writable = writable;
    m_store = std::move(store);
    m_classes = std::move(view);
    return true;
}

bool CRegistryKey::Open(const KeyPath& parent, const QString& subKey, KeyAccess access)
{
    if (subKey.isNull())
        return Open(parent, nullptr, access);
    if (subKey.isEmpty() || !parent)
        return false;
    return OpenPath({parent.tree, parent.names + subKey.split(u'\\', Qt::SkipEmptyParts)}, access, nullptr);
}

bool CRegistryKey::Open(const KeyPath& parent, std::nullptr_t, KeyAccess access)
{
    if (m_hKey == parent)
        return true;
    if (!parent || !OpenPath(parent, access, nullptr)) {
        if (m_hKey)
            Close();
        m_hKey = parent;
    }
    return true;
}

bool CRegistryKey::Open(const CRegistryKey& parent, const QString& subKey, KeyAccess access)
{
    if (!parent.m_hKey)
        return false;
    const KeyPath key{parent.m_hKey.tree, parent.m_hKey.names + subKey.split(u'\\', Qt::SkipEmptyParts)};
    return OpenPath(key, access, parent.m_classes);
}

QStringList CRegistryKey::SubKeys() const
{
    if (m_store)
        return m_store->SubKeys();
    if (m_classes) {
        const std::optional<ClassesNode> node = m_classes->Find(m_hKey.names);
        switch (node ? node->kind : ClassesNode::Above) {
        case ClassesNode::Root:
            return m_classes->Keys();
        case ClassesNode::FileType:
            return m_classes->HasCommand(node->type) ? QStringList{kShell} : QStringList();
        case ClassesNode::Shell:
            return {kOpen};
        case ClassesNode::Verb:
            return {kCommand};
        default:
            return {};
        }
    }
    if (m_hKey.tree == KeyPath::Machine)
        return {m_hKey.names.isEmpty() ? QString(kSoftware) : QString(kClasses)};
    return {};
}

std::optional<QString> CRegistryKey::Value(const QString& valueName) const
{
    if (m_store)
        return m_store->Text(valueName);
    const std::optional<ClassesNode> node = m_classes ? m_classes->Find(m_hKey.names) : std::nullopt;
    if (!node)
        return std::nullopt;
    if (node->kind == ClassesNode::Extension && (valueName.isEmpty() || Same(valueName, kContentType)))
        return node->type;
    if (node->kind == ClassesNode::Command && valueName.isEmpty() && m_classes->HasCommand(node->type))
        return m_classes->associations.Command(node->type);
    return std::nullopt;
}

DWORD CRegistryKey::GetSubKeyCount() const { return static_cast<DWORD>(SubKeys().size()); }

QString CRegistryKey::EnumSubKey(DWORD index) const
{
    const QStringList names = SubKeys();
    if (index >= static_cast<DWORD>(names.size()))
        return {};
    const QString& name = names[static_cast<qsizetype>(index)];
    return name.size() < kNameBufferChars ? name : QString();
}

QString CRegistryKey::QueryString(const QString& valueName, const QString& defaultText) const
{
    return Value(valueName).value_or(defaultText);
}

QString CRegistryKey::QueryString(std::nullptr_t, const QString& defaultText) const
{
    return QueryString(QString(), defaultText);
}

DWORD CRegistryKey::QueryDword(const QString& valueName, DWORD defaultNumber) const
{
    if (m_store)
        return m_store->Number(valueName).value_or(defaultNumber);
    const std::optional<QString> text = Value(valueName);
    const std::optional<DWORD> number = text ? platform::SettingsStore::ParseNumber(*text) : std::nullopt;
    return number.value_or(defaultNumber);
}

bool CRegistryKey::SetString(const QString& valueName, const QString& text)
{
    return m_writable && m_store && m_store->Set(valueName, text);
}

bool CRegistryKey::SetDword(const QString& valueName, DWORD number)
{
    // Numbers are stored as text, as they come back from the file anyway.
    return SetString(valueName, QString::number(number));
}

bool CRegistryKey::Close()
{
    if (!m_hKey)
        return false;
    if (m_store)
        m_store->Save();
    m_hKey = {};
    m_writable = false;
    m_store.reset();
    m_classes.reset();
    return true;
}
