#include "TestComponents.h"

#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace Velmora {
namespace {

using Tests::ComponentAlpha;
using Tests::ComponentBeta;
using Tests::ComponentGamma;
using Tests::Journal;

class FactoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Journal().clear();
        mComponents.Register<ComponentAlpha>();
        mComponents.Register<ComponentBeta>();
        mComponents.Register<ComponentGamma>();
    }

    // Writes the archetype files and a manifest listing them into a fresh data/object folder
    // and returns the manifest's path.
    std::string WriteObjects(const std::string& manifest,
                             const std::vector<std::pair<std::string, std::string>>& files) {
        mObjects = Tests::MakeTempDir() + "/data/object";
        for (const auto& [name, text] : files) Tests::WriteFile(mObjects + "/" + name + ".xml", text);
        Tests::WriteFile(mObjects + "/manifest.xml", manifest);
        return mObjects + "/manifest.xml";
    }

    void EndFrame() {
        MessageEndFrame end;
        mEntities.HandleMessage(end);
    }

    Tests::LogCapture mLog;
    ComponentFactory mComponents; // declared first: outlives the entities and their creators' records
    EntityManager mEntities;
    Factory mFactory{mComponents, mEntities};
    std::string mObjects;
};

TEST_F(FactoryTest, ComponentFactoryKeepsTheFirstCreatorAndLoadsWhatItCreates) {
    EXPECT_FALSE(mComponents.Register<ComponentAlpha>());
    IComponentCreator* creator = mComponents.FindCreator("ComponentBeta");
    ASSERT_NE(creator, nullptr);

    Entity entity(1, &mEntities);
    const ValueList data{4, 2.5, "tag", "next"};
    ValueCursor cursor(data);
    int skipped = 0;
    cursor >> skipped;
    Component* beta = mComponents.Create("ComponentBeta", &entity, cursor);
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(static_cast<ComponentBeta*>(beta)->mSpeed, 2.5);
    EXPECT_EQ(static_cast<ComponentBeta*>(beta)->mLabel, "tag");
    EXPECT_EQ(cursor.GetIndex(), 3u) << "the component consumed exactly its own values";

    // A second component of the type replaces and deletes the first, leaving no trace of it.
    entity.AddComponent(beta);
    entity.AddComponent(mComponents.Create("ComponentBeta", &entity, cursor));
    EXPECT_EQ(static_cast<ComponentCreator<ComponentBeta>*>(creator)->GetCreatedCount(), 1u);
    EXPECT_EQ(ComponentBeta::GetInstances().size(), 1u);

    EXPECT_EQ(mComponents.Create("ComponentDelta", &entity, cursor), nullptr);
    EXPECT_EQ(mLog.mLines.back(), "[CORE:1] Attempt to lookup non-existant component `ComponentDelta`");
}

TEST_F(FactoryTest, BuildsSpawnsAndNumbersEntitiesFromArchetypes) {
    mFactory.LoadManifest(WriteObjects("<manifest><archetype>guard</archetype><archetype>crate</archetype></manifest>",
                                       {{"guard",
                                         "<archetype><string>ComponentGamma</string><integer>3</integer>"
                                         "<string>ComponentBeta</string><double>1.5</double><string>slow</string>"
                                         "<string>ComponentAlpha</string></archetype>"},
                                        {"crate", "<archetype/>"}}));

    const ValueList instance{Vector2(64, 32), Color::FromRgba(9, 8, 7)};
    Entity* guard = mFactory.Create("guard", &instance);
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(guard->GetId(), 1);
    EXPECT_EQ(mEntities.FindById(1), guard);
    EXPECT_EQ(guard->GetComponent<ComponentGamma>()->mCount, 3);
    EXPECT_EQ(guard->GetComponent<ComponentBeta>()->mSpeed, 1.5);
    EXPECT_EQ(guard->GetComponent<ComponentBeta>()->mLabel, "slow");
    // Every component reads the instance data from its start.
    EXPECT_EQ(guard->GetComponent<ComponentGamma>()->mPosition, Vector2(64, 32));
    EXPECT_EQ(guard->GetComponent<ComponentBeta>()->mInstancePosition, Vector2(64, 32));
    // Loaded in archetype order while building; instance data and Initialize in name order after.
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"ComponentGamma#1.Load", "ComponentBeta#1.Load", "ComponentAlpha#1.Load",
                                        "ComponentAlpha#1.LoadInstance", "ComponentBeta#1.LoadInstance",
                                        "ComponentGamma#1.LoadInstance", "ComponentAlpha#1.Initialize",
                                        "ComponentBeta#1.Initialize", "ComponentGamma#1.Initialize"}));

    Entity* crate = mFactory.Create("crate", nullptr);
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->GetId(), 2);
    EXPECT_TRUE(crate->GetComponents().empty());
}

TEST_F(FactoryTest, FailedLookupUsesNoIdButFailedBuildDoes) {
    mFactory.LoadManifest(WriteObjects(
        "<manifest><archetype>ok</archetype><archetype>broken</archetype></manifest>",
        {{"ok", "<archetype><string>ComponentAlpha</string></archetype>"},
         {"broken", "<archetype><string>ComponentAlpha</string><string>ComponentDelta</string></archetype>"}}));

    EXPECT_EQ(mFactory.Create("ok", nullptr)->GetId(), 1);
    EXPECT_EQ(mFactory.Create("missing", nullptr), nullptr);
    EXPECT_EQ(mLog.mLines.back(), "[CORE:1] Cannot find archetype `missing`");
    EXPECT_EQ(mFactory.Create("ok", nullptr)->GetId(), 2);

    EXPECT_EQ(mFactory.Create("broken", nullptr), nullptr);
    EXPECT_EQ(mLog.mLines.back(), "[CORE:1] Resource `broken` wants component `ComponentDelta` which does not exist");
    EXPECT_EQ(mFactory.Create("ok", nullptr)->GetId(), 4) << "the failed build used id 3";

    // The half-built entity is not listed, and goes at the end of the frame without Deinitialize.
    EXPECT_EQ(mEntities.FindById(3), nullptr);
    Journal().clear();
    EndFrame();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"ComponentAlpha#3.deleted"}));
}

TEST_F(FactoryTest, ManifestReadsEditableFlagsAndListsArchetypesByName) {
    mFactory.LoadManifest(
        WriteObjects("<manifest><archetype editable='0'>zeta</archetype><note>ignored</note>"
                     "<archetype editable='2'>alpha</archetype><archetype>mid</archetype>"
                     "<archetype>word</archetype><archetype editable='1'>zeta</archetype></manifest>",
                     {{"zeta", "<archetype><string>ComponentAlpha</string></archetype>"},
                      {"alpha", "<archetype><string>ComponentBeta</string></archetype>"},
                      {"mid", "<?xml version='1.0'?><other/>"},
                      {"word", "<archetype><integer>1</integer><nil/><integer>2</integer></archetype>"}}));

    std::vector<std::string> names;
    for (const Archetype* archetype : mFactory.GetArchetypes()) names.push_back(archetype->mName);
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "mid", "word", "zeta"}));
    EXPECT_TRUE(mFactory.FindArchetype("alpha")->mEditable) << "editable='2' is non-zero";
    EXPECT_FALSE(mFactory.FindArchetype("mid")->mEditable) << "absent means not editable";
    EXPECT_FALSE(mFactory.FindArchetype("zeta")->mEditable) << "the first of two entries stays";
    EXPECT_TRUE(mFactory.FindArchetype("mid")->mValues.empty()) << "no <archetype> element: no values";
    EXPECT_EQ(mFactory.FindArchetype("word")->mValues, (ValueList{1})) << "values up to the bad element";
    EXPECT_EQ(mFactory.FindArchetype("nothing"), nullptr);
}

TEST_F(FactoryTest, ManifestAndArchetypeFailuresAreFatalWithTheirReasons) {
    const struct {
        const char* mManifest; // none: no manifest file at all
        std::vector<std::pair<std::string, std::string>> mFiles;
        std::string mLine; // "@" stands for the objects folder
    } cases[] = {
        {nullptr, {}, "[ASSERT:1] Fatal Error: @/manifest.xml not found"},
        {"<objects><archetype>x</archetype></objects>", {}, "Fatal Error: @/manifest.xml is missing root <manifest>"},
        {"<manifest><archetype>good</archetype><archetype>bad</archetype></manifest>",
         {{"good", "<archetype/>"}, {"bad", "<archetype><string>x</archetype>"}},
         "[CORE:1] Failed to load archetype  `bad`: @/bad.xml: "},
        {"<manifest><archetype>ghost</archetype></manifest>", {}, "Failed to load archetype  `ghost`: @/ghost.xml: "},
        // A name that would lead out of the folder is not even looked for.
        {"<manifest><archetype>../manifest</archetype></manifest>",
         {},
         "[CORE:1] Archetype name refused, it would lead out of @: `../manifest`"},
    };
    for (const auto& c : cases) {
        const std::string manifest =
            c.mManifest ? WriteObjects(c.mManifest, c.mFiles) : Tests::MakeTempDir() + "/data/object/manifest.xml";
        const std::string objects = manifest.substr(0, manifest.rfind('/'));
        std::string line = c.mLine;
        line.replace(line.find('@'), 1, objects);
        mLog.mLines.clear();
        EXPECT_THROW(mFactory.LoadManifest(manifest), Tests::FatalError) << line;
        EXPECT_TRUE(mLog.Contains(line)) << line;
    }
    EXPECT_NE(mFactory.FindArchetype("good"), nullptr) << "archetypes before the broken one stay";
    EXPECT_EQ(mFactory.FindArchetype("../manifest"), nullptr);
    EXPECT_FALSE(mLog.Contains("Failed to load archetype  `../manifest`"));
}

} // namespace
} // namespace Velmora
