#pragma once

// Publishes the organisation chart to the stored definitions.
void RegisterOrgChartClasses();
