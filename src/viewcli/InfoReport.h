#pragma once
// What `vellora-view --info` reports about a product: every data object's
// name, kind and layout, the statistics of every image band (or of a whole
// array), the rows and columns of every table; as text or as JSON.

#include "product/Product.h"
#include "product/Statistics.h"

#include <string>
#include <vector>

namespace viewcli {

class InfoReport {
public:
    // Reads what the report needs from the product's data files.
    explicit InfoReport(product::Product product);

    std::string Text() const;
    std::string Json() const;
    // The first thing that could not be read (a short file, a missing data
    // file), empty when everything was read.
    const QString& problem() const { return m_problem; }

    // An element type as the report names it ("16-bit unsigned integer, MSB first").
    static QString TypeName(const product::ElementType& type);

private:
    struct ObjectFacts {
        std::vector<product::Statistics> stats;  // image: one per band; array: one
        std::int64_t rows = 0;
        QString problem;
    };

    product::Product m_product;
    std::vector<ObjectFacts> m_facts;
    QString m_problem;
};

}  // namespace viewcli
