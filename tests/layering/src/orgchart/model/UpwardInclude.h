#pragma once

// Looks up from the chart's nodes to the chart control: the layering check must refuse it.

#include "orgchart/OrgChart.h"
