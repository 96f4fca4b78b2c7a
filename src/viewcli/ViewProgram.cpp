#include "viewcli/ViewProgram.h"

#include "product/CsvExport.h"
#include "product/OpenProduct.h"
#include "viewcli/InfoReport.h"
#include "viewcli/PngExport.h"
#include "viewcli/Texts.h"
#include "viewcli/ViewOptions.h"

#include <QCoreApplication>

namespace viewcli {

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

QString ObjectName(const product::DataObject& object)
{
    return std::visit([](const auto& o) { return o.name; }, object);
}

// The object named `name` (exactly, else without regard to case), or the
// first one `wanted` accepts when no name is given; nullptr for none.
template <typename Wanted>
const product::DataObject* FindObject(const product::Product& product, const QString& name, Wanted wanted)
{
    if (name.isEmpty()) {
        for (const product::DataObject& object : product.objects)
            if (wanted(object))
                return &object;
        return nullptr;
    }
    for (const product::DataObject& object : product.objects)
        if (ObjectName(object) == name)
            return &object;
    for (const product::DataObject& object : product.objects)
        if (ObjectName(object).compare(name, Qt::CaseInsensitive) == 0)
            return &object;
    return nullptr;
}

}  // namespace

int ViewProgram::Run(const QStringList& arguments)
{
    ViewOptions options;
    QString error;
    if (!options.Parse(arguments, error)) {
        m_err = (error + T(text::kUsage)).toStdString();
        return kExitUsage;
    }
    switch (options.action) {
    case ViewOptions::Action::Help:
        m_out = (T(text::kUsage) + QLatin1Char('\n') + T(text::kHelp)).toStdString();
        return kExitOk;
    case ViewOptions::Action::Version:
        m_out = T(text::kVersion).arg(QCoreApplication::applicationVersion()).toStdString();
        return kExitOk;
    case ViewOptions::Action::Info:
        return Info(options.file, options.json);
    case ViewOptions::Action::Export:
        break;
    }
    return Export(options.file, options.exportPath, options.exportPng, options.object, options.band);
}

int ViewProgram::Fail(const QString& message)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_err += T(text::kFailure).arg(line).toStdString();
    return kExitFailure;
}

int ViewProgram::Info(const QString& file, bool json)
{
    try {
        const InfoReport report(product::OpenProduct(file));
        m_out = json ? report.Json() : report.Text();
        return report.problem().isEmpty() ? kExitOk : Fail(report.problem());
    } catch (const product::Error& error) {
        return Fail(error.message);
    }
}

int ViewProgram::Export(const QString& file, const QString& target, bool png, const QString& object, long long band)
{
    try {
        const product::Product product = product::OpenProduct(file);
        if (png) {
            const auto* found = FindObject(product, object, [](const product::DataObject& o) {
                const auto* array = std::get_if<product::ArrayObject>(&o);
                return array && array->lineAxis >= 0 && array->sampleAxis >= 0;
            });
            if (!found)
                return Fail(object.isEmpty() ? T(text::kNoImage).arg(file) : T(text::kNoSuchObject).arg(file, object));
            const auto* array = std::get_if<product::ArrayObject>(found);
            if (!array || array->lineAxis < 0 || array->sampleAxis < 0)
                return Fail(T(text::kNotImage).arg(file, object));
            if (band > array->Bands())
                return Fail(T(text::kNoBand).arg(file, array->name).arg(array->Bands()).arg(band));
            WriteBandPng(product::ArrayReader::Open(*array), band - 1, target);
            return kExitOk;
        }
        const auto* found = FindObject(product, object, [](const product::DataObject& o) {
            return std::holds_alternative<product::TableObject>(o);
        });
        if (!found)
            return Fail(object.isEmpty() ? T(text::kNoTable).arg(file) : T(text::kNoSuchObject).arg(file, object));
        if (const auto* table = std::get_if<product::TableObject>(found)) {
            const auto reader = product::TableReader::Open(*table);
            if (!reader.problem().isEmpty())
                return Fail(reader.problem());
            product::WriteTableCsv(reader, target);
            return kExitOk;
        }
        const auto& array = std::get<product::ArrayObject>(*found);
        if (array.axes.size() != 1)
            return Fail(T(text::kNotTable).arg(file, object));
        const auto reader = product::ArrayReader::Open(array);
        if (!reader.problem().isEmpty())
            return Fail(reader.problem());
        product::WriteArrayCsv(reader, target);
        return kExitOk;
    } catch (const product::Error& error) {
        return Fail(error.message);
    }
}

}  // namespace viewcli
