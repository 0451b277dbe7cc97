// Checks the two delivered syntax definitions as data: their outline against the
// reference lists next to this test, their counts, the rows other code relies on, and
// the consistency of their conditions.
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <QtTest>

namespace {

struct DefNode
{
    QString kind;
    QMap<QString, QString> props;
    QVector<DefNode> children;
    QString name() const { return props.value("name"); }
};

DefNode readNode(const QDomElement &element)
{
    DefNode node;
    node.kind = element.tagName();
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (child.tagName() == "section" || child.tagName() == "parameter")
            node.children.append(readNode(child));
        else
            node.props[child.tagName()] = child.text().trimmed();
    }
    return node;
}

DefNode loadDefinition(const QString &fileName)
{
    QFile file(":/syntax/" + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return DefNode();
    QDomDocument document;
    if (!document.setContent(&file))
        return DefNode();
    return readNode(document.documentElement());
}

void flatten(const DefNode &node, QVector<const DefNode *> &out)
{
    for (const DefNode &child : node.children) {
        out.append(&child);
        flatten(child, out);
    }
}

void outline(const DefNode &node, int depth, QStringList &out)
{
    for (const DefNode &child : node.children) {
        out << QString(depth * 2, ' ') + child.kind + ' ' + child.name();
        outline(child, depth + 1, out);
    }
}

QStringList readFixture(const QString &name)
{
    QFile file(QStringLiteral(VORPEN_TEST_DIR) + '/' + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty() && !line.startsWith('#'))
            lines << line;
    }
    return lines;
}

int countKind(const DefNode &node, const QString &kind)
{
    QVector<const DefNode *> all;
    flatten(node, all);
    return int(
        std::count_if(all.begin(), all.end(), [&](const DefNode *n) { return n->kind == kind; }));
}

const DefNode *findFirst(const DefNode &root, const QString &kind, const QString &name)
{
    QVector<const DefNode *> all;
    flatten(root, all);
    for (const DefNode *n : all)
        if (n->kind == kind && n->name() == name)
            return n;
    return nullptr;
}

const QStringList deliveredTypes = {
    "string",         "string+",        "string*",         "integer",       "float",
    "float+",         "float*",         "optstring",       "optinteger",    "optinteger+",
    "optfloat",       "optlinestring",  "linestring",      "linestring*",   "lineinteger",
    "lineinteger+",   "linefloat",      "linefloat+",      "lineoptstring", "lineoptstring+",
    "lineoptstring*", "lineoptinteger", "lineoptinteger*", "lineoptfloat",  "lineoptfloat+",
    "lineoptfloat*"};

QStringList optionList(const DefNode &node)
{
    QStringList options = node.props.value("options").split('|');
    for (QString &option : options)
        option = option.trimmed();
    return options;
}

} // namespace

class TestSyntaxDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }

    void outlineMatchesReference_data();
    void outlineMatchesReference();
    void counts_data();
    void counts();
    void topLevelTableOf70();
    void showAndMatrixSkipOf64();
    void tellingRows_data();
    void tellingRows();
    void keywordsUsedByTheProgram_data();
    void keywordsUsedByTheProgram();
    void typesAreTheDeliveredSet_data();
    void typesAreTheDeliveredSet();
    void conditionsReferToEarlierParameters_data();
    void conditionsReferToEarlierParameters();
    void collectionsAreClosed_data();
    void collectionsAreClosed();
};

void TestSyntaxDefinitions::outlineMatchesReference_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("reference");
    QTest::newRow("7.0") << "ZEL_Syntax_7-0.xml"
                         << "outline_7-0.txt";
    QTest::newRow("6.4") << "ZEL_Syntax_6-4.xml"
                         << "outline_6-4.txt";
}

void TestSyntaxDefinitions::outlineMatchesReference()
{
    QFETCH(QString, definition);
    QFETCH(QString, reference);
    QStringList actual;
    outline(loadDefinition(definition), 0, actual);
    const QStringList expected = readFixture(reference);
    QVERIFY(!expected.isEmpty());
    for (int i = 0; i < qMin(actual.size(), expected.size()); ++i)
        QVERIFY2(
            actual[i] == expected[i],
            qPrintable(
                QString("line %1: '%2' instead of '%3'").arg(i + 1).arg(actual[i], expected[i])));
    QCOMPARE(actual.size(), expected.size());
}

void TestSyntaxDefinitions::counts_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("topSections");
    QTest::addColumn<int>("topParameters");
    QTest::addColumn<int>("sections");
    QTest::addColumn<int>("parameters");
    QTest::newRow("7.0") << "ZEL_Syntax_7-0.xml"
                         << "7.0" << 29 << 0 << 148 << 527;
    QTest::newRow("6.4") << "ZEL_Syntax_6-4.xml"
                         << "6.4" << 28 << 2 << 147 << 529;
}

void TestSyntaxDefinitions::counts()
{
    QFETCH(QString, definition);
    QFETCH(QString, version);
    const DefNode root = loadDefinition(definition);
    QCOMPARE(root.kind, QString("set"));
    QCOMPARE(root.props.value("default"), version);
    int topSections = 0;
    int topParameters = 0;
    for (const DefNode &child : root.children)
        (child.kind == "section" ? topSections : topParameters)++;
    QTEST(topSections, "topSections");
    QTEST(topParameters, "topParameters");
    QTEST(countKind(root, "section"), "sections");
    QTEST(countKind(root, "parameter"), "parameters");
}

void TestSyntaxDefinitions::topLevelTableOf70()
{
    const DefNode root = loadDefinition("ZEL_Syntax_7-0.xml");
    const QStringList rows = readFixture("toplevel_7-0.txt");
    QCOMPARE(rows.size(), root.children.size());
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cells = rows[i].split('\t');
        const DefNode &section = root.children[i];
        QCOMPARE(section.name(), cells[0]);
        QCOMPARE(section.props.value("show"), cells[1]);
        QCOMPARE(countKind(section, "parameter"), cells[2].toInt());
        QCOMPARE(countKind(section, "section"), cells[3].toInt());
        // Whole names: a further name would skip the section where the table keeps it.
        QCOMPARE(section.props.value("cname").split(','),
                 cells[4].isEmpty() ? QStringList{QString()} : cells[4].split(','));
    }
}

void TestSyntaxDefinitions::showAndMatrixSkipOf64()
{
    const DefNode root = loadDefinition("ZEL_Syntax_6-4.xml");
    QVector<const DefNode *> all;
    flatten(root, all);
    QMap<QString, int> shows;
    int matrixSkips = 0;
    for (const DefNode *node : all) {
        if (node->props.contains("show"))
            shows[node->props.value("show")]++;
        if (node->props.value("cmode") == "matrixskip")
            ++matrixSkips;
    }
    QCOMPARE(shows.value("major"), 1);
    QCOMPARE(shows.value("false"), 12);
    QCOMPARE(shows.size(), 2);
    QCOMPARE(matrixSkips, 1);
}

void TestSyntaxDefinitions::tellingRows_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *def, const char *kind, const char *path, const char *prop,
                        const char *expected) {
        QTest::addRow("%s %s %s", def, path, prop)
            << QString(def[0] == '7' ? "ZEL_Syntax_7-0.xml" : "ZEL_Syntax_6-4.xml") << kind << path
            << prop << expected;
    };
    const char *coupling = "phase|concentration|temperature|temp_cyl_coord|stress|stress_coupled|"
                           "stressu1|stressu2|stressu3|stressg1|stressg2|stressg3|stressce1|"
                           "stressce2|stressce3|stressc1|stressc2|stressc3|stressmc1|stressmc2|"
                           "stressmc3|flow|flow_coarse|dislocation|volume_change|expansion";
    row("7.0", "parameter", "TypeOfCoupling", "type", "string+");
    row("7.0", "parameter", "TypeOfCoupling", "options", coupling);
    row("7.0", "parameter", "VtkMode", "type", "string");
    row("7.0", "parameter", "VtkMode", "options", "binary_unzip|binary_zip|ascii");
    row("7.0", "parameter", "VtkMode", "cname", "WriteModeOptions");
    row("7.0", "parameter", "VtkMode", "cvalues", "vtk");
    row("7.0", "parameter", "GESFile", "type", "string");
    row("7.0", "parameter", "GESFile", "cname", "GESFileOpt,Database");
    row("7.0", "parameter", "GESFile", "cvalues",
        "isEmpty,database|database_verbose|database_consistent");
    row("7.0", "parameter", "TQWorkspace", "type", "optstring");
    row("7.0", "parameter", "TQWorkspace", "options", "workspace_size");
    row("7.0", "parameter", "TQWorkspace", "cname", "Database");
    row("7.0", "parameter", "TQWorkspace", "cvalues",
        "database|database_verbose|database_consistent");
    row("7.0", "parameter", "TQWorkspace", "first", "true");
    row("7.0", "section", "ComponentsCollection", "options", "end_of_components");
    row("7.0", "section", "ComponentsCollection", "terse", "terse");
    row("7.0", "section", "PhaseCollection", "options", "end_of_phases");
    row("7.0", "section", "PhaseCollection", "terse", "terse");
    row("7.0", "section", "PICollection", "options", "PIEnabled");
    row("7.0", "section", "PICollection", "terse", "invalidTerse");
    row("7.0", "section", "MatrixMVConcExtra", "cname", "E:Component");
    row("7.0", "section", "MatrixMVConcExtra", "cvalues", "");
    row("7.0", "section", "MatrixPhaseData/MolarVolumes", "cname", "TypeOfCoupling");
    row("7.0", "section", "MatrixPhaseData/MolarVolumes", "cvalues", "concentration");
    row("7.0", "section", "MatrixPhaseData/MolarVolumes", "cmode", "or");
    row("7.0", "parameter", "MolarVolumeTQUpdateInterval", "type", "float");
    row("7.0", "parameter", "MolarVolumeTQUpdateInterval", "cname", "find:MolarVolumeType");
    row("7.0", "parameter", "MolarVolumeTQUpdateInterval", "cvalues", "database");
    row("7.0", "parameter", "DDModeDecision", "type", "string");
    row("7.0", "parameter", "DDModeDecision", "cmode", "reread");
    row("7.0", "parameter", "PDType", "type", "optstring");
    row("7.0", "parameter", "PDType", "options", "database|linear|lineartq");
    row("7.0", "parameter", "PDType", "first", "true");
    row("7.0", "section", "PhaseDiagram", "cname", "E:TypeOfCoupling,PIEnabled");
    row("7.0", "section", "PhaseDiagram", "cvalues", "concentration,phase_interaction");
    row("7.0", "section", "PhaseDiagram", "cmode", "and");
    row("7.0", "parameter", "CrystallSymmetry", "type", "string");
    row("7.0", "parameter", "CrystallSymmetry", "options",
        "none|cubic|hexagonal|tetragonal|orthorhombic");
    row("7.0", "parameter", "CrystallSymmetry", "cname", "Anisotropy");
    row("7.0", "parameter", "CrystallSymmetry", "cvalues", "isotropic");
    row("7.0", "parameter", "CrystallSymmetry", "cmode", "not");
    row("7.0", "section", "GIFileDimensions", "cname", "GIFile");
    row("7.0", "section", "GIFileDimensions", "cvalues", "contains:vtk");
    row("7.0", "section", "GIFileDimensions", "cmode", "not");
    row("7.0", "section", "PDPendingFloats", "options", "PendingFloat");
    row("7.0", "section", "PDPendingFloats", "terse", "invalidTerse");
    row("7.0", "section", "RoundCenter", "cname", "E:Dimensions");
    row("7.0", "section", "RoundCenter", "show", "false");
    row("7.0", "parameter", "TSCoarsening", "type", "string");
    row("7.0", "parameter", "TSCoarsening", "options", "no_coarsening|coursening");
    row("7.0", "parameter", "TSCoarseningFactor", "type", "float");
    row("7.0", "parameter", "TSCoarseningFactor", "cname", "TSCoarsening");
    row("7.0", "parameter", "TSCoarseningFactor", "cvalues", "coursening");
    row("6.4", "parameter", "OutputsDefinitionMode", "type", "optstring");
    row("6.4", "parameter", "OutputsDefinitionMode", "options", "legacy|verbose|terse");
    row("6.4", "parameter", "OutputsDefinitionMode", "default", "legacy");
    row("6.4", "parameter", "OutputsDefinitionMode", "first", "true");
    row("6.4", "section", "StoichioCollection", "options",
        "no_more_stoichio|no_stoichio|end_stoichio");
    row("6.4", "section", "StoichioCollection", "terse", "terse");
    row("6.4", "section", "DDCollection", "options", "DDType");
    row("6.4", "section", "DDCollection", "terse", "invalidTerse");
    row("6.4", "parameter", "NucleationSeedNumber", "type", "integer");
    row("6.4", "parameter", "NucleationSeedNumber", "cname", "find:NucleationNoise");
    row("6.4", "parameter", "NucleationSeedNumber", "cvalues", "nucleation_noise");
    row("6.4", "parameter", "SeedNucleationModel", "type", "string");
    row("6.4", "parameter", "SeedNucleationModel", "options", "seed_undercooling|seed_density");
    row("6.4", "parameter", "SeedNucleationModel", "default", "seed_undercooling");
    row("6.4", "parameter", "SeedNucleationModel", "cname", "SeedPosition");
    row("6.4", "parameter", "SeedNucleationModel", "cvalues", "bulk|region");
}

void TestSyntaxDefinitions::tellingRows()
{
    QFETCH(QString, definition);
    QFETCH(QString, kind);
    QFETCH(QString, path);
    QFETCH(QString, property);
    QFETCH(QString, expected);
    const DefNode root = loadDefinition(definition);
    const QStringList steps = path.split('/');
    const DefNode *node = findFirst(root, steps.size() > 1 ? "section" : kind, steps[0]);
    for (int i = 1; node && i < steps.size(); ++i) {
        const DefNode *inner = nullptr;
        for (const DefNode &child : node->children)
            if (child.name() == steps[i] && (i + 1 < steps.size() || child.kind == kind))
                inner = &child;
        node = inner;
    }
    QVERIFY2(node, qPrintable(path));
    QString actual = node->props.value(property);
    if (property == "options")
        actual = optionList(*node).join('|');
    QCOMPARE(actual, expected);
}

void TestSyntaxDefinitions::keywordsUsedByTheProgram_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("keywords");
    const auto both = [](const char *parameter, const char *keywords) {
        for (const char *def : {"ZEL_Syntax_7-0.xml", "ZEL_Syntax_6-4.xml"})
            QTest::addRow("%s %s", def, parameter) << def << parameter << keywords;
    };
    const auto only70 = [](const char *parameter, const char *keywords) {
        QTest::addRow("7.0 %s", parameter) << "ZEL_Syntax_7-0.xml" << parameter << keywords;
    };
    const auto only64 = [](const char *parameter, const char *keywords) {
        QTest::addRow("6.4 %s", parameter) << "ZEL_Syntax_6-4.xml" << parameter << keywords;
    };
    both("Language", "english");
    both("Write Mode", "overwrite");
    both("WriteModeOptions", "zipped|vtk");
    both("RestartType", "new|restart");
    both("ConcentrationUnit", "weight_percent|atom_percent");
    both("PIEnabled", "phase_interaction|no_phase_interaction");
    both("PIAnisotropy", "anisotropic|aniso_special_orient");
    both("PIMisorientation", "misorientation");
    both("PDType", "database|linear|lineartq");
    both("SeedPosition", "bulk|region|interface|triple");
    both("InitConcType", "input");
    both("Anisotropy", "isotropic|faceted");
    both("CrystallSymmetry", "none|cubic|hexagonal|tetragonal|orthorhombic");
    both("FDCorrection", "fd_correction|no_fd_correction");
    both("Diff1DFarField", "no_1d_far_field");
    both("MolarVolumeType", "database");
    both("MatrixMolarVolumeType", "database");
    only70("ThermalConditions", "1d_temp|lat_heat");
    only70("1DTempTypeCoordinates", "cartesian|cylindrical|polar");
    only70("StructureFromRestartFile", "no_restart_file|restart_file");
    only70("3DCorrection", "3d_correction|no_3d_correction");
    only70("DDType", "diagonal|multi|multi_plus|maxfactor_local");
    only70("TypeOfCoupling", "temperature");
    only64("TypeOfCoupling", "concentration|temperature_coarse");
    only64("1DTemperatureField", "no_1d_temp|1d_temp|1d_temp_cylinder|1d_temp_polar");
    only64("LHEnabled", "lat_heat|lat_heat_3d");
    only64("DDType", "diff|no_diff|from_file|infinite|infinite_restricted|database_global|"
                     "database_local|diagonal|multi|multi_plus|maxfactor_local");
}

void TestSyntaxDefinitions::keywordsUsedByTheProgram()
{
    QFETCH(QString, definition);
    QFETCH(QString, parameter);
    QFETCH(QString, keywords);
    const DefNode root = loadDefinition(definition);
    const DefNode *node = findFirst(root, "parameter", parameter);
    QVERIFY(node);
    const QStringList options = optionList(*node);
    for (const QString &keyword : keywords.split('|'))
        QVERIFY2(options.contains(keyword), qPrintable(keyword));
}

void TestSyntaxDefinitions::typesAreTheDeliveredSet_data()
{
    QTest::addColumn<QString>("definition");
    QTest::newRow("7.0") << "ZEL_Syntax_7-0.xml";
    QTest::newRow("6.4") << "ZEL_Syntax_6-4.xml";
}

void TestSyntaxDefinitions::typesAreTheDeliveredSet()
{
    QFETCH(QString, definition);
    QVector<const DefNode *> all;
    const DefNode root = loadDefinition(definition);
    flatten(root, all);
    QSet<QString> used;
    for (const DefNode *node : all) {
        if (node->kind == "parameter") {
            QVERIFY2(node->props.contains("type"), qPrintable(node->name()));
            used << node->props.value("type");
        } else {
            QVERIFY2(!node->props.contains("type"), qPrintable(node->name()));
        }
    }
    const QSet<QString> expected(deliveredTypes.begin(), deliveredTypes.end());
    QCOMPARE(used, expected);
}

void TestSyntaxDefinitions::conditionsReferToEarlierParameters_data()
{
    typesAreTheDeliveredSet_data();
}

// Every condition must name parameters that the walk has met before the condition is
// evaluated, and a keyword it compares with must be one the named parameter accepts.
void TestSyntaxDefinitions::conditionsReferToEarlierParameters()
{
    QFETCH(QString, definition);
    QVector<const DefNode *> all;
    const DefNode root = loadDefinition(definition);
    flatten(root, all);
    QMap<QString, const DefNode *> seen;
    const QSet<QString> computed = {"Dimensions", "ActivePhaseInteractions", "None"};
    for (const DefNode *node : all) {
        const QString cname = node->props.value("cname");
        const QString cvalues = node->props.value("cvalues");
        if (!cname.isEmpty()) {
            const QStringList names = cname.split(',');
            const QStringList groups = cvalues.split(',');
            QVERIFY2(cvalues.isEmpty() || groups.size() == names.size(), qPrintable(node->name()));
            for (int k = 0; k < names.size(); ++k) {
                QString name = names[k];
                name.remove(QRegularExpression("^(E:|find:)"));
                if (name.endsWith('+'))
                    name.chop(1);
                // A numbered name refers to a copy of an earlier parameter.
                name.remove(QRegularExpression("_\\d+$"));
                if (computed.contains(name))
                    continue;
                const bool found =
                    cname.startsWith("find:")
                        ? std::any_of(seen.keyBegin(), seen.keyEnd(),
                                      [&](const QString &n) { return n.contains(name); })
                        : seen.contains(name);
                QVERIFY2(found, qPrintable(node->name() + " names " + name));
                if (cvalues.isEmpty() || cname.startsWith("find:"))
                    continue;
                const QStringList options = optionList(*seen.value(name));
                if (options.join(QString()).isEmpty())
                    continue;
                for (QString alternative : groups[k].split('|')) {
                    alternative = alternative.trimmed();
                    if (alternative == "isEmpty" || alternative.startsWith("contains:"))
                        continue;
                    QVERIFY2(options.contains(alternative.toLower()),
                             qPrintable(node->name() + ": " + alternative));
                }
            }
        }
        if (node->kind == "parameter" && !seen.contains(node->name()))
            seen.insert(node->name(), node);
    }
}

void TestSyntaxDefinitions::collectionsAreClosed_data()
{
    typesAreTheDeliveredSet_data();
}

void TestSyntaxDefinitions::collectionsAreClosed()
{
    QFETCH(QString, definition);
    QVector<const DefNode *> all;
    const DefNode root = loadDefinition(definition);
    flatten(root, all);
    int collections = 0;
    for (const DefNode *node : all) {
        const QString terse = node->props.value("terse");
        if (terse.isEmpty())
            continue;
        ++collections;
        QVERIFY2(node->props.contains("options"), qPrintable(node->name()));
        QVERIFY2(node->children.last().name().startsWith("EndOf"), qPrintable(node->name()));
        if (terse == "terse") {
            // The closing parameter must accept every keyword that closes the collection.
            QCOMPARE(optionList(node->children.last()), optionList(*node));
        } else {
            QCOMPARE(terse, QString("invalidTerse"));
            // The entry-opening parameter named by the first option lies inside the entry.
            const QString opener = optionList(*node).first();
            QVector<const DefNode *> entry;
            flatten(*node, entry);
            QVERIFY2(std::any_of(entry.begin(), entry.end(),
                                 [&](const DefNode *n) { return n->name() == opener; }),
                     qPrintable(node->name()));
        }
    }
    QVERIFY(collections > 5);
}

QTEST_GUILESS_MAIN(TestSyntaxDefinitions)
#include "test_syntax_definitions.moc"
