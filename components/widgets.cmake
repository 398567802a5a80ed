# Sources of the visual components (hyperlink panel, vertical label).
