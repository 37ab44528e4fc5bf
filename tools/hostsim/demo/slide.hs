# The presentation host (one frame per document) with a few presentations.
open "Product launch.pptx"
open "Quarterly review.pptx"
open "Onboarding.pptx"
open "Roadmap 2026.pptx"
expect tabs "Product launch.pptx" "Quarterly review.pptx" "Onboarding.pptx" "Roadmap 2026.pptx"
click tab "Quarterly review.pptx"
expect selected "Quarterly review.pptx"
leave
wait 3 ticks
screenshot slide-tabs
